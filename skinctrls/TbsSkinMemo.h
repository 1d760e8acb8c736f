#pragma once
// The skinned memo: a native QPlainTextEdit inside a four-point frame from the "memo" section.
// The native control keeps typing, selection, caret, clipboard, undo and the input method; it
// has no scroll bars of its own (the wheel scrolls one line per step, and a separate
// TbsSkinScrollBar can be linked).

#include "SkinChangeReceiver.h"
#include "Component.h"
#include "NotifyEvent.h"
#include "SkinSection.h"
#include "TbsSkinScrollBar.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <algorithm>

class TbsSkinData;

class TbsSkinMemo : public QWidget, public TComponent, public SkinChangeReceiver {
    Q_OBJECT
public:
    explicit TbsSkinMemo(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TbsSkinMemo"; }

    TbsSkinData* SkinData() const override { return FSkinData; }
    void setSkinData(TbsSkinData* value);
    const QString& SkinDataName() const { return FSkinDataName; }
    void setSkinDataName(const QString& value) { FSkinDataName = value; }
    const QFont& DefaultFont() const { return FDefaultFont; }
    void setDefaultFont(const QFont& value);
    bool UseSkinFont() const { return FUseSkinFont; }
    void setUseSkinFont(bool value) { FUseSkinFont = value; }
    bool BitMapBG() const { return FBitMapBG; }
    void setBitMapBG(bool value);
    TbsSkinScrollBar* VScrollBar() const { return FVScrollBar; }
    void setVScrollBar(TbsSkinScrollBar* value);
    bool ReadOnly() const { return FReadOnly; }
    void setReadOnly(bool value) { FReadOnly = value; }
    // The memo's preferred input method (form data); the system's input method serves here.
    const QString& ImeName() const { return FImeName; }
    void setImeName(const QString& value) { FImeName = value; }
    bool WordWrap() const { return FMemo->lineWrapMode() != QPlainTextEdit::NoWrap; }
    void setWordWrap(bool value);
    // Tab types a tab character; off (the default) Tab moves the focus on.
    bool WantTabs() const { return !FMemo->tabChangesFocus(); }
    void setWantTabs(bool value) { FMemo->setTabChangesFocus(!value); }
    // Enter starts a new line; off, Enter goes on to the window (its default button) and
    // Ctrl+Enter starts the new line.
    bool WantReturns() const { return FWantReturns; }
    void setWantReturns(bool value) { FWantReturns = value; }
    // The most characters the user can bring the text to (a line break counts one); 0 = no
    // limit. Text set by the program is not cut.
    int MaxLength() const { return FMaxLength; }
    void setMaxLength(int value) { FMaxLength = std::max(0, value); }

    // The text as lines (Lines of the form data).
    QStringList Lines() const;
    void setLines(const QStringList& lines);
    void AddLine(const QString& line);
    void ClearLines();
    QString Text() const { return FMemo->toPlainText(); }
    void setText(const QString& text);

    TNotifyEvent OnChange;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    void ApplySkin() override;
    void ResetSkinSection() override { FIndex = -1; }
    bool isSkinned() const { return FIndex != -1; }
    bool isMouseIn() const { return FMouseIn; }
    // Refreshes the linked scroll bar from the memo's lines and view.
    void UpdateScrollBar();
    // Lines as shown (each screen line of a wrapped line counts), and the first one shown.
    int lineCount() const;
    int firstVisibleLine() const;

    QPlainTextEdit* nativeMemo() const { return FMemo; }
    QImage renderFace();

    void notification(TComponent* component, Operation operation) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LoadSkinSection();
    void recreateNative();
    void applyStateColors();
    QRect nativeRect() const;
    // Room left under MaxLength for text replacing the selection; -1 without a limit.
    int roomForInput() const;
    // Handles keys, pastes, drops and input-method text that WantReturns or MaxLength
    // restrict; true when the event is done with.
    bool restrictInput(QEvent* event);

    QPlainTextEdit* FMemo;
    TbsSkinData* FSkinData = nullptr;
    QString FSkinDataName = QStringLiteral("memo");
    QFont FDefaultFont;
    bool FUseSkinFont = true;
    bool FBitMapBG = false;
    QPointer<TbsSkinScrollBar> FVScrollBar;
    bool FReadOnly = false;
    int FIndex = -1;
    SkinSection FSection;
    bool FMouseIn = false;
    QString FImeName;
    bool FWantReturns = true;
    int FMaxLength = 0;
};
