#pragma once
// The skin data component of a form: parses a skin once into plain data objects, keeps its
// pictures, answers look-ups by section name and announces every load to the forms.
//
// A skin is loaded only by assigning one of the two stored-skin properties: StoredSkin then
// CompressedStoredSkin, in that order when a form is read, so a compressed skin with data is
// the one in force. Each load sends SKM_BEFORECHANGE, then (when it completes) SKM_CHANGE and
// SKM_AFTERCHANGE to every form (SkinMessages.h).
//
// Readers (the frame and the skinned controls) take nothing while IsEmpty() is true, find
// their section with IndexOfControlData / IndexOfObjectData, check the entry's class with
// dynamic_cast and look it up again after every SKM_CHANGE: data objects do not survive a
// skin change.

#include "Component.h"
#include "SkinControlData.h"
#include "SkinControlDataOther.h"
#include "SkinObjectData.h"
#include "SkinWindowData.h"
#include "TbsFormInfo.h"
#include "TbsSkinPictures.h"

#include <QImage>
#include <memory>
#include <string>
#include <vector>

class TbsStoredSkin;
class TbsCompressedStoredSkin;
class TbsSkinIni;

// The descriptive [VERSION] strings.
struct TbsSkinInfo {
    std::string SkinName;     // "skinname"
    std::string SkinAuthor;   // "skinauthor"
    std::string AuthorEMail;  // "authoremail"
    std::string AuthorURL;    // "authorurl"
    std::string SkinComments; // "skincomments"
};

class TbsSkinData : public TComponent {
public:
    explicit TbsSkinData(TComponent* owner = nullptr);
    ~TbsSkinData() override;
    const char* className() const noexcept override { return "TbsSkinData"; }

    // Published properties. Assigning stores the reference and loads the skin at once (a
    // null value only clears the reference). Errors of the load reach the caller.
    TbsStoredSkin* StoredSkin() const { return storedSkin_; }
    void setStoredSkin(TbsStoredSkin* skin);
    TbsCompressedStoredSkin* CompressedStoredSkin() const { return compressedStoredSkin_; }
    void setCompressedStoredSkin(TbsCompressedStoredSkin* skin);

    // The two loads. A stored skin without one of the five sections gives an empty skin after
    // a full round of messages; a compressed skin without data is ignored (no messages); a
    // compressed skin whose version is not 1 leaves the skin empty after SKM_BEFORECHANGE
    // only. Any error (EDecompressionError, EReadError, EInvalidGraphic, EConvertError)
    // leaves the skin empty after SKM_BEFORECHANGE only and is raised to the caller.
    void LoadFromStoredSkin(const TbsStoredSkin& skin);
    void LoadFromCompressedStoredSkin(const TbsCompressedStoredSkin& skin);

    // Exact, case-sensitive look-up of an IDName; -1 when not listed.
    int IndexOfControlData(const std::string& name) const;
    int IndexOfObjectData(const std::string& name) const;

    // Frees the data objects and the numbered pictures, empties the three pictures, sets the
    // window picture index of the pop-up and hint data to -1 and sets IsEmpty. SkinInfo stays.
    void ClearSkin();

    // Sends `message` (wParam = this, lParam = 1000) synchronously, first to the form that
    // owns this component, then to every other registered form in form order.
    void NotifyForms(int message);

    // Read access.
    bool IsEmpty() const { return isEmpty_; }
    const QImage& MainPicture() const { return mainPicture_; }
    const QImage& InactivePicture() const { return inactivePicture_; }
    const QImage& MaskPicture() const { return maskPicture_; }
    const std::vector<QImage>& ActivePictures() const { return activePictures_; }
    // The numbered picture at index, or nullptr when the index is -1 or out of range.
    const QImage* ActivePicture(int index) const;
    const std::vector<std::unique_ptr<TbsDataSkinObject>>& ObjectDataList() const { return objectDataList_; }
    const std::vector<std::unique_ptr<TbsDataSkinControl>>& ControlDataList() const { return controlDataList_; }
    const TbsFormInfo& FormInfo() const { return formInfo_; }
    TbsDataSkinPopupWindow& PopupWindowData() const { return *popupWindowData_; }
    TbsDataSkinHintWindow& HintWindowData() const { return *hintWindowData_; }
    const TbsSkinInfo& SkinInfo() const { return skinInfo_; }

    // The frame objects may write into their data objects (an active rect without picture is
    // emptied in the skin data itself), so mutable access is given to them.
    TbsDataSkinObject* ObjectData(int index) const;
    TbsDataSkinControl* ControlData(int index) const;

    void notification(TComponent* component, Operation operation) override;

    // The data object of a list entry's kind with that IDName, loaded from ini; nullptr for a
    // kind that is not known. Exposed for tests and tools.
    static std::unique_ptr<TbsDataSkinObject> createObjectData(const std::string& kind, const std::string& idName);
    static std::unique_ptr<TbsDataSkinControl> createControlData(const std::string& kind, const std::string& idName);

private:
    void beginLoad();
    void readSkinInfo(const TbsSkinIni& ini);
    void loadSections(const TbsSkinIni& ini);
    void endLoad();
    void takePictures(TbsSkinPictures pictures);

    TbsStoredSkin* storedSkin_ = nullptr;
    TbsCompressedStoredSkin* compressedStoredSkin_ = nullptr;
    bool isEmpty_ = true;
    QImage mainPicture_, inactivePicture_, maskPicture_;
    std::vector<QImage> activePictures_;
    std::vector<std::unique_ptr<TbsDataSkinObject>> objectDataList_;
    std::vector<std::unique_ptr<TbsDataSkinControl>> controlDataList_;
    TbsFormInfo formInfo_;
    std::unique_ptr<TbsDataSkinPopupWindow> popupWindowData_;
    std::unique_ptr<TbsDataSkinHintWindow> hintWindowData_;
    TbsSkinInfo skinInfo_;
};
