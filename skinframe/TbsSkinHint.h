#pragma once
// A hint component: a small tool-tip window that shows one text near the mouse, until it is
// hidden or the user presses a mouse button or a key. The frame shows its objects' hints
// through it (ShowObjectHint); without one the objects' hints are not shown.

#include "Component.h"

#include <QPoint>
#include <QString>
#include <memory>

class QLabel;
class QWidget;

class TbsSkinHint : public TComponent {
public:
    explicit TbsSkinHint(TComponent* owner = nullptr);
    ~TbsSkinHint() override;
    const char* className() const noexcept override { return "TbsSkinHint"; }

    // Shows `text` just below the mouse at `cursor` (screen coordinates), replacing the text
    // shown; an empty text hides the hint.
    void ActivateHint(QPoint cursor, const QString& text);
    void HideHint();
    bool HintVisible() const;
    QString HintText() const;
    QWidget* hintWindow() const;

private:
    class Window;
    std::unique_ptr<Window> FWindow;
};
