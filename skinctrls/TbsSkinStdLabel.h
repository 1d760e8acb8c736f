#pragma once
// The skinned label: a transparent label that takes only its font (and colour) from the skin's
// "stdlabel" section. With UseSkinFont on, its own Font is never used: unskinned it draws in
// DefaultFont.

#include "SkinChangeReceiver.h"
#include "Component.h"
#include "SkinSection.h"

#include <QLabel>

class TbsSkinData;

class TbsSkinStdLabel : public QLabel, public TComponent, public SkinChangeReceiver {
    Q_OBJECT
public:
    explicit TbsSkinStdLabel(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinStdLabel"; }

    TbsSkinData* SkinData() const override { return FSkinData; }
    void setSkinData(TbsSkinData* value);
    const QString& SkinDataName() const { return FSkinDataName; }
    void setSkinDataName(const QString& value) { FSkinDataName = value; }
    const QFont& DefaultFont() const { return FDefaultFont; }
    void setDefaultFont(const QFont& value) { FDefaultFont = value; }
    bool UseSkinFont() const { return FUseSkinFont; }
    void setUseSkinFont(bool value);
    // The caption; "&" marks an accelerator while ShowAccelChar is on.
    QString Caption() const { return text(); }
    void setCaption(const QString& value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void setShowAccelChar(bool value);
    bool AutoSize() const { return FAutoSize; }
    void setAutoSize(bool value);

    void ApplySkin() override;
    void ResetSkinSection() override { FIndex = -1; }
    bool isSkinned() const { return FIndex != -1; }

    // The font and colour the label draws with now (the font rules of the label).
    QFont effectiveFont() const;
    QColor effectiveColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    void notification(TComponent* component, Operation operation) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void LoadSkinSection() const;
    int textFlags() const;
    QString measuredText() const;

    TbsSkinData* FSkinData = nullptr;
    QString FSkinDataName = QStringLiteral("stdlabel");
    QFont FDefaultFont;
    bool FUseSkinFont = true;
    bool FShowAccelChar = true;
    bool FAutoSize = false;
    mutable int FIndex = -1;
    mutable SkinSection FSection;
};
