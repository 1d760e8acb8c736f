#include "TbsCustomEdit.h"

#include "EventDispatch.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPalette>
#include <QTimer>

TbsCustomEdit::TbsCustomEdit(QWidget* parent, TComponent* owner) : QWidget(parent), TComponent(owner)
{
    FEdit = new QLineEdit(this);
    FEdit->setFrame(false);
    // A frameless line edit over a painted face: transparent base, no auto-fill.
    FEdit->setAutoFillBackground(false);
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Base, Qt::transparent);
    FEdit->setPalette(pal);
    FEdit->setTextMargins(0, 0, 0, 0);
    FEdit->installEventFilter(this);
    FEdit->setContextMenuPolicy(Qt::NoContextMenu);
    setFocusProxy(FEdit);
    setFocusPolicy(Qt::StrongFocus);
    connect(FEdit, &QLineEdit::textChanged, this, [this] { textChanged(); });
}

void TbsCustomEdit::setText(const QString& value)
{
    FEdit->setText(value);
    update();
}

void TbsCustomEdit::textChanged()
{
    update();
    fireNotify(OnChange, this);
}

bool TbsCustomEdit::isEditingKey(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Paste)
        || event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo)
        || event->matches(QKeySequence::Delete) || event->matches(QKeySequence::DeleteStartOfWord)
        || event->matches(QKeySequence::DeleteEndOfWord) || event->matches(QKeySequence::DeleteEndOfLine)
        || event->matches(QKeySequence::Backspace))
        return true;
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        return true;
    default:
        break;
    }
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool TbsCustomEdit::nativeKeyPress(QKeyEvent* event)
{
    return FReadOnly && isEditingKey(event);
}

bool TbsCustomEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FEdit) {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (nativeKeyPress(static_cast<QKeyEvent*>(event)))
                return true;
            break;
        case QEvent::ShortcutOverride: {
            // Keep the form's shortcuts from taking the edit's editing keys.
            auto* key = static_cast<QKeyEvent*>(event);
            if (FReadOnly && isEditingKey(key)) {
                event->accept();
                return true;
            }
            break;
        }
        case QEvent::InputMethod:
        case QEvent::Drop:
            if (FReadOnly)
                return true;
            break;
        case QEvent::MouseButtonRelease:
            // Middle-button paste.
            if (FReadOnly && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
                return true;
            update();
            break;
        case QEvent::FocusIn:
            if (FAutoSelect && static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason)
                QTimer::singleShot(0, FEdit, [e = FEdit] { e->selectAll(); });
            nativeFocusIn();
            update();
            break;
        case QEvent::FocusOut:
            nativeFocusOut(QApplication::focusWidget());
            update();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
