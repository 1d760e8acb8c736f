#include "TbsSkinHint.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QToolTip>

#include <algorithm>

// The hint's window. Like any tool tip it never takes the focus and goes away at the user's
// next press, so it never covers a menu that the press opens.
class TbsSkinHint::Window : public QLabel {
public:
    Window() : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setPalette(QToolTip::palette());
        setFont(QToolTip::font());
        setAutoFillBackground(true);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setMargin(2);
        setTextFormat(Qt::PlainText);
    }
    void showAt(QPoint cursor, const QString& text)
    {
        setText(text);
        adjustSize();
        const QScreen* screen = QGuiApplication::screenAt(cursor);
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(cursor, size());
        // Below the mouse pointer; above it where the screen ends.
        QPoint at(cursor.x(), cursor.y() + kBelowCursor);
        if (at.y() + height() > area.bottom() + 1)
            at.setY(cursor.y() - height() - 2);
        at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
        move(at);
        if (!isVisible()) {
            qApp->installEventFilter(this);
            show();
        }
        raise();
    }
    void hideHint()
    {
        if (!isVisible())
            return;
        qApp->removeEventFilter(this);
        hide();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::Wheel: hideHint(); break;
        default: break;
        }
        return false;
    }

private:
    // Clear of the mouse pointer's picture.
    static constexpr int kBelowCursor = 20;
};

TbsSkinHint::TbsSkinHint(TComponent* owner) : TComponent(owner) {}

TbsSkinHint::~TbsSkinHint()
{
    if (FWindow)
        FWindow->hideHint();
}

void TbsSkinHint::ActivateHint(QPoint cursor, const QString& text)
{
    if (text.isEmpty()) {
        HideHint();
        return;
    }
    if (!FWindow)
        FWindow = std::make_unique<Window>();
    FWindow->showAt(cursor, text);
}

void TbsSkinHint::HideHint()
{
    if (FWindow)
        FWindow->hideHint();
}

bool TbsSkinHint::HintVisible() const { return FWindow && FWindow->isVisible(); }

QString TbsSkinHint::HintText() const { return HintVisible() ? FWindow->text() : QString(); }

QWidget* TbsSkinHint::hintWindow() const { return FWindow.get(); }
