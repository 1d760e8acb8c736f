#pragma once
// The edit base: a native QLineEdit inside a control that paints everything around and under
// it. The native edit keeps typing, selection, caret, clipboard, undo and the input method; it
// draws only its text (transparent mode). ReadOnly is the control's own rule: the text cannot
// change, but the caret and the selection still move.

#include "Component.h"
#include "NotifyEvent.h"

#include <QLineEdit>
#include <QWidget>

class TbsCustomEdit : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit TbsCustomEdit(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsCustomEdit"; }

    QString Text() const { return FEdit->text(); }
    void setText(const QString& value);
    int MaxLength() const { return FEdit->maxLength() == 32767 ? 0 : FEdit->maxLength(); }
    void setMaxLength(int value) { FEdit->setMaxLength(value > 0 ? value : 32767); }
    bool ReadOnly() const { return FReadOnly; }
    void setReadOnly(bool value) { FReadOnly = value; }
    bool AutoSelect() const { return FAutoSelect; }
    void setAutoSelect(bool value) { FAutoSelect = value; }
    int SelStart() const { return FEdit->cursorPosition(); }
    void setSelStart(int value) { FEdit->setCursorPosition(value); }

    TNotifyEvent OnChange;

    // The native control (tests, and the main window's input-method settings).
    QLineEdit* nativeEdit() const { return FEdit; }

protected:
    // Key presses reach these before the native edit; true = handled (dropped).
    virtual bool nativeKeyPress(QKeyEvent* event);
    virtual void nativeFocusIn() {}
    virtual void nativeFocusOut(QWidget* newFocus) {}
    virtual void textChanged();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Keys and commands that would change the text.
    static bool isEditingKey(QKeyEvent* event);

    QLineEdit* FEdit;
    bool FReadOnly = false;
    bool FAutoSelect = true;
};
