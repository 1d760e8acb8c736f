#pragma once
// The skinned edit: the section's image fitted horizontally behind the native edit, an
// optional button at the right end with hot and pressed images, and fonts and colours that
// follow the skin and the edit's state.

#include "SkinChangeReceiver.h"
#include "EditGeometry.h"
#include "SkinSection.h"
#include "TbsCustomEdit.h"

#include <QFont>

class TbsSkinData;
enum class TAlignment;

class TbsSkinCustomEdit : public TbsCustomEdit, public SkinChangeReceiver {
    Q_OBJECT
public:
    explicit TbsSkinCustomEdit(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinCustomEdit"; }

    TbsSkinData* SkinData() const override { return FSkinData; }
    void setSkinData(TbsSkinData* value);
    const QString& SkinDataName() const { return FSkinDataName; }
    void setSkinDataName(const QString& value) { FSkinDataName = value; }
    const QFont& DefaultFont() const { return FDefaultFont; }
    void setDefaultFont(const QFont& value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void setUseSkinFont(bool value) { FUseSkinFont = value; }
    int DefaultWidth() const { return FDefaultWidth; }
    void setDefaultWidth(int value);
    int DefaultHeight() const { return FDefaultHeight; }
    void setDefaultHeight(int value);
    bool ButtonMode() const { return FButtonMode; }
    void setButtonMode(bool value);
    QChar EditPasswordChar() const { return FPasswordChar; }
    void setEditPasswordChar(QChar value);
    Qt::Alignment Alignment() const { return FEdit->alignment() & Qt::AlignHorizontal_Mask; }
    void setAlignment(Qt::Alignment value);

    TNotifyEvent OnButtonClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void ApplySkin() override;
    void ResetSkinSection() override { FIndex = -1; }
    bool isSkinned() const { return FIndex != -1; }

    // Geometry for the current size (window coordinates).
    EditGeometry geometryNow();
    bool isButtonHot() const { return FButtonHot; }
    bool isButtonPressed() const { return FButtonPressed; }
    bool isMouseIn() const { return FMouseIn; }
    // The face under the text as the next paint draws it.
    QImage renderFace();

    void notification(TComponent* component, Operation operation) override;

protected:
    void LoadSkinSection();
    // Places the native edit and gives it its font and colours ("recreating the window").
    void recreateNative();
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void nativeFocusIn() override;
    void nativeFocusOut(QWidget* newFocus) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    void setFontColor(int bgr);
    void setButtonHot(bool hot);

    TbsSkinData* FSkinData = nullptr;
    QString FSkinDataName = QStringLiteral("edit");
    QFont FDefaultFont;
    bool FUseSkinFont = true;
    int FDefaultWidth = 0;
    int FDefaultHeight = 20;
    bool FButtonMode = false;
    QChar FPasswordChar;
    int FIndex = -1;
    SkinSection FSection;
    bool FMouseIn = false;
    bool FButtonHot = false;
    bool FButtonPressed = false;
    bool FFitting = false;
};
