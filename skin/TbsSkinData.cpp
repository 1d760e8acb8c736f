#include "TbsSkinData.h"

#include "BmpFile.h"
#include "Exception.h"
#include "SkinDirectory.h"
#include "SkinMessages.h"
#include "TbsCompressedStoredSkin.h"
#include "TbsSkinForms.h"
#include "TbsSkinIni.h"
#include "TbsStoredSkin.h"

#include <functional>
#include <unordered_map>

namespace {

template <class Base>
using Factory = std::function<std::unique_ptr<Base>(const std::string&)>;

template <class Base, class T>
std::pair<const std::string, Factory<Base>> kind(const char* word)
{
    return {word, [](const std::string& idName) { return std::make_unique<T>(idName); }};
}

const std::unordered_map<std::string, Factory<TbsDataSkinObject>>& objectKinds()
{
    static const std::unordered_map<std::string, Factory<TbsDataSkinObject>> kinds{
        kind<TbsDataSkinObject, TbsDataSkinMenuItem>("menuitem"),
        kind<TbsDataSkinObject, TbsDataSkinMainMenuBarItem>("mainmenubaritem"),
        kind<TbsDataSkinObject, TbsDataSkinStdButton>("stdbutton"),
        kind<TbsDataSkinObject, TbsDataSkinMainMenuBarButton>("mainmenubarbutton"),
        kind<TbsDataSkinObject, TbsDataSkinButton>("button"),
        kind<TbsDataSkinObject, TbsDataSkinCaption>("caption"),
        kind<TbsDataSkinObject, TbsDataUserObject>("userobject"),
    };
    return kinds;
}

const std::unordered_map<std::string, Factory<TbsDataSkinControl>>& controlKinds()
{
    using C = TbsDataSkinControl;
    static const std::unordered_map<std::string, Factory<C>> kinds{
        kind<C, TbsDataSkinPanelControl>("panel"),
        kind<C, TbsDataSkinExPanelControl>("expanel"),
        kind<C, TbsDataSkinMenuButtonControl>("menubutton"),
        kind<C, TbsDataSkinButtonControl>("button"),
        kind<C, TbsDataSkinCheckRadioControl>("checkradio"),
        kind<C, TbsDataSkinGaugeControl>("gauge"),
        kind<C, TbsDataSkinSplitterControl>("splitter"),
        kind<C, TbsDataSkinTrackBarControl>("trackbar"),
        kind<C, TbsDataSkinLabelControl>("label"),
        kind<C, TbsDataSkinStdLabelControl>("stdlabel"),
        kind<C, TbsDataSkinUpDownControl>("updown"),
        kind<C, TbsDataSkinScrollBoxControl>("scrollbox"),
        kind<C, TbsDataSkinBevel>("bevel"),
        kind<C, TbsDataSkinSlider>("slider"),
        kind<C, TbsDataSkinGridControl>("grid"),
        kind<C, TbsDataSkinTabControl>("tab"),
        kind<C, TbsDataSkinMainMenuBar>("mainmenubar"),
        kind<C, TbsDataSkinControlBar>("controlbar"),
        kind<C, TbsDataSkinMemoControl>("memo"),
        kind<C, TbsDataSkinEditControl>("edit"),
        kind<C, TbsDataSkinCheckListBox>("checklistbox"),
        kind<C, TbsDataSkinListBox>("listbox"),
        kind<C, TbsDataSkinComboBox>("combobox"),
        kind<C, TbsDataSkinScrollBarControl>("scrollbar"),
        kind<C, TbsDataSkinSpinEditControl>("spinedit"),
        kind<C, TbsDataSkinTreeView>("treeview"),
        kind<C, TbsDataSkinListView>("listview"),
        kind<C, TbsDataSkinRichEdit>("richedit"),
    };
    return kinds;
}

// Reads one list section ("count", then "0" ... count-1, each "name:kind") and creates, in
// order, the data object of every entry of a known kind.
template <class Base>
void loadList(const TbsSkinIni& ini, const char* section,
              const std::unordered_map<std::string, Factory<Base>>& kinds,
              std::vector<std::unique_ptr<Base>>& list)
{
    // Keys "0" ... count-1 that are missing create nothing, so only the keys the section holds
    // are visited: a count of two thousand million costs no more than the lines written.
    const int count = ini.readInteger(section, "count", 0);
    for (const auto& [number, value] : ini.numberedValues(section, count)) {
        const std::string entry(value);
        const std::size_t colon = entry.find(':');
        if (colon == std::string::npos)
            continue; // no kind, so no object
        const auto factory = kinds.find(entry.substr(colon + 1));
        if (factory == kinds.end())
            continue;
        list.push_back(factory->second(entry.substr(0, colon)));
        list.back()->LoadFromIni(ini);
    }
}

template <class List>
int indexOf(const List& list, const std::string& name)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->IDName == name)
            return int(i);
    return -1;
}

} // namespace

TbsSkinData::TbsSkinData(TComponent* owner)
    : TComponent(owner),
      popupWindowData_(std::make_unique<TbsDataSkinPopupWindow>()),
      hintWindowData_(std::make_unique<TbsDataSkinHintWindow>())
{
}

TbsSkinData::~TbsSkinData()
{
    isEmpty_ = true;
    ClearSkin();
}

std::unique_ptr<TbsDataSkinObject> TbsSkinData::createObjectData(const std::string& kind, const std::string& idName)
{
    const auto it = objectKinds().find(kind);
    return it == objectKinds().end() ? nullptr : it->second(idName);
}

std::unique_ptr<TbsDataSkinControl> TbsSkinData::createControlData(const std::string& kind, const std::string& idName)
{
    const auto it = controlKinds().find(kind);
    return it == controlKinds().end() ? nullptr : it->second(idName);
}

void TbsSkinData::setStoredSkin(TbsStoredSkin* skin)
{
    if (storedSkin_ && storedSkin_ != skin)
        storedSkin_->removeFreeNotification(this);
    storedSkin_ = skin;
    if (skin) {
        skin->freeNotification(this);
        LoadFromStoredSkin(*skin);
    }
}

void TbsSkinData::setCompressedStoredSkin(TbsCompressedStoredSkin* skin)
{
    if (compressedStoredSkin_ && compressedStoredSkin_ != skin)
        compressedStoredSkin_->removeFreeNotification(this);
    compressedStoredSkin_ = skin;
    if (skin) {
        skin->freeNotification(this);
        LoadFromCompressedStoredSkin(*skin);
    }
}

void TbsSkinData::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove) {
        // The loaded skin stays; only the reference goes.
        if (component == storedSkin_)
            storedSkin_ = nullptr;
        if (component == compressedStoredSkin_)
            compressedStoredSkin_ = nullptr;
    }
    TComponent::notification(component, operation);
}

int TbsSkinData::IndexOfControlData(const std::string& name) const { return indexOf(controlDataList_, name); }
int TbsSkinData::IndexOfObjectData(const std::string& name) const { return indexOf(objectDataList_, name); }

TbsDataSkinObject* TbsSkinData::ObjectData(int index) const
{
    return index >= 0 && std::size_t(index) < objectDataList_.size() ? objectDataList_[std::size_t(index)].get() : nullptr;
}

TbsDataSkinControl* TbsSkinData::ControlData(int index) const
{
    return index >= 0 && std::size_t(index) < controlDataList_.size() ? controlDataList_[std::size_t(index)].get()
                                                                      : nullptr;
}

const QImage* TbsSkinData::ActivePicture(int index) const
{
    return index >= 0 && std::size_t(index) < activePictures_.size() ? &activePictures_[std::size_t(index)] : nullptr;
}

void TbsSkinData::ClearSkin()
{
    objectDataList_.clear();
    controlDataList_.clear();
    activePictures_.clear();
    popupWindowData_->WindowPictureIndex = -1;
    hintWindowData_->WindowPictureIndex = -1;
    mainPicture_ = QImage();
    inactivePicture_ = QImage();
    maskPicture_ = QImage();
    isEmpty_ = true;
}

void TbsSkinData::NotifyForms(int message)
{
    // A snapshot, so that forms may come and go while the message is handled; a form that
    // leaves during the round is skipped.
    const std::vector<TbsSkinForms::Entry> forms = TbsSkinForms::entries();
    ISkinMessageTarget* ownForm = owner() ? TbsSkinForms::targetOf(owner()) : nullptr;
    if (ownForm) {
        ownForm->ensureWindow();
        ownForm->skinMessage(message, this, SKM_LPARAM);
    }
    for (const TbsSkinForms::Entry& form : forms)
        if (form.target != ownForm && TbsSkinForms::contains(form.target))
            form.target->skinMessage(message, this, SKM_LPARAM);
}

void TbsSkinData::beginLoad()
{
    isEmpty_ = true;
    NotifyForms(SKM_BEFORECHANGE);
    ClearSkin();
}

void TbsSkinData::endLoad()
{
    isEmpty_ = false;
    NotifyForms(SKM_CHANGE);
    NotifyForms(SKM_AFTERCHANGE);
}

void TbsSkinData::readSkinInfo(const TbsSkinIni& ini)
{
    skinInfo_.SkinName = ini.readString("VERSION", "skinname");
    skinInfo_.SkinAuthor = ini.readString("VERSION", "skinauthor");
    skinInfo_.AuthorEMail = ini.readString("VERSION", "authoremail");
    skinInfo_.AuthorURL = ini.readString("VERSION", "authorurl");
    skinInfo_.SkinComments = ini.readString("VERSION", "skincomments");
}

void TbsSkinData::takePictures(TbsSkinPictures pictures)
{
    mainPicture_ = std::move(pictures.MainPicture);
    inactivePicture_ = std::move(pictures.InactivePicture);
    maskPicture_ = std::move(pictures.MaskPicture);
    activePictures_ = std::move(pictures.ActivePictures);
}

void TbsSkinData::loadSections(const TbsSkinIni& ini)
{
    formInfo_.LoadFromIni(ini);
    popupWindowData_->LoadFromIni(ini);
    hintWindowData_->LoadFromIni(ini);
    loadList(ini, "SKINOBJECTS", objectKinds(), objectDataList_);
    loadList(ini, "SKINCONTROLS", controlKinds(), controlDataList_);
}

void TbsSkinData::LoadFromStoredSkin(const TbsStoredSkin& skin)
{
    beginLoad();
    const TbsSkinIni ini = TbsSkinIni::fromLines(skin.IniStrings);
    if (!SkinDirectory::hasRequiredSections(ini)) {
        // Every user falls back to unskinned drawing.
        NotifyForms(SKM_CHANGE);
        NotifyForms(SKM_AFTERCHANGE);
        return;
    }
    readSkinInfo(ini);
    takePictures(skin.Pictures);
    loadSections(ini);
    endLoad();
}

void TbsSkinData::LoadFromCompressedStoredSkin(const TbsCompressedStoredSkin& skin)
{
    if (skin.isEmpty())
        return;
    beginLoad();
    const QByteArray content = skin.Decompress();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(content.constData());
    const std::size_t size = std::size_t(content.size());
    if (size < 4)
        throw EReadError(BmpFile::kReadErrorMessage);
    const auto version = std::int32_t(std::uint32_t(bytes[0]) | (std::uint32_t(bytes[1]) << 8)
                                      | (std::uint32_t(bytes[2]) << 16) | (std::uint32_t(bytes[3]) << 24));
    if (version != TbsCompressedStoredSkin::kFormatVersion)
        return; // the skin stays empty and, unlike a stored skin, no further message is sent
    std::size_t picturesLength = 0;
    TbsSkinPictures pictures = TbsSkinPictures::read(bytes + 4, size - 4, &picturesLength);
    const std::size_t iniAt = 4 + picturesLength;
    const TbsSkinIni ini = TbsSkinIni::fromText(
        std::string_view(reinterpret_cast<const char*>(bytes) + iniAt, size - iniAt));
    takePictures(std::move(pictures));
    readSkinInfo(ini);
    loadSections(ini);
    endLoad();
}
