#pragma once
// The plain speed button: a flat button that never takes the focus, with a caption (an "&"
// marks its access key), a picture strip of NumGlyphs images (normal, disabled) placed by
// Layout, and OnClick. Clicks are entered through the application's dispatch point, so an
// error in a handler is reported and never reaches the event loop.

#include "Component.h"

#include <QAbstractButton>
#include <QImage>
#include <functional>

class TSpeedButton : public QAbstractButton, public TComponent {
    Q_OBJECT
public:
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

    explicit TSpeedButton(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TSpeedButton() override;
    const char* className() const noexcept override { return "TSpeedButton"; }

    QString Caption() const { return text(); }
    void setCaption(const QString& caption);
    // The picture: a strip of NumGlyphs images side by side (1: normal; 2: normal, disabled).
    const QImage& Glyph() const { return glyph_; }
    void setGlyph(const QImage& glyph);
    int NumGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);
    TButtonLayout Layout() const { return layout_; }
    void setLayout(TButtonLayout layout);
    bool Flat() const { return flat_; }
    void setFlat(bool flat);
    QString Hint() const { return hint_; }
    void setHint(const QString& hint);
    bool ShowHint() const { return showHint_; }
    void setShowHint(bool show);

    std::function<void(QObject* Sender)> OnClick;
    // The picture's change notification; a subclass may chain itself in front of it.
    std::function<void()> OnGlyphChange;

    // A click as the user makes it: OnClick (and whatever a subclass adds).
    virtual void Click();

    // The image of the strip shown for the current state.
    QImage currentGlyphImage() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The framework's enabled-changed notification, after Qt has changed the state.
    virtual void enabledChanged() {}

private:
    QImage glyph_;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    bool flat_ = true;
    bool hover_ = false;
    QString hint_;
    bool showHint_ = false;
};
