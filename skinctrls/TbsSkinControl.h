#pragma once
// The windowed skinned control: finds its section of the skin by name, paints through one
// off-screen bitmap per paint (default face while unskinned, skin face otherwise) and reports
// the mouse entering and leaving.

#include "SkinChangeReceiver.h"
#include "Component.h"
#include "NotifyEvent.h"
#include "SkinSection.h"

#include <QImage>
#include <QWidget>
#include <optional>

class TbsSkinData;

class TbsSkinControl : public QWidget, public TComponent, public SkinChangeReceiver {
    Q_OBJECT
public:
    explicit TbsSkinControl(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TbsSkinControl() override;
    const char* className() const noexcept override { return "TbsSkinControl"; }

    TbsSkinData* SkinData() const override { return FSkinData; }
    virtual void setSkinData(TbsSkinData* value);
    const QString& SkinDataName() const { return FSkinDataName; }
    void setSkinDataName(const QString& value) { FSkinDataName = value; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // Looks the section up again and copies its values (start of every paint, resize, skin change).
    virtual void LoadSkinSection();
    void ApplySkin() override;
    // Before a skin change: draw unskinned until the next ApplySkin.
    void ResetSkinSection() override;

    bool isSkinned() const { return FIndex != -1; }
    // The last section read (valid while skinned).
    const SkinSection& section() const { return FSection; }

    // Paint at once, even while the caller keeps the thread from the event loop.
    void RepaintNow();
    // The face as the next paint would draw it (tests, previews).
    QImage renderFace();

    void notification(TComponent* component, Operation operation) override;

protected:
    virtual void DrawDefaultImage(QImage& bitmap);
    virtual void DrawSkinImage(QImage& bitmap);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    TbsSkinData* FSkinData = nullptr;
    QString FSkinDataName;
    int FIndex = -1;
    SkinSection FSection;
};
