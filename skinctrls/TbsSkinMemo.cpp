#include "TbsSkinMemo.h"

#include "EventDispatch.h"
#include "FrameBorderPieces.h"
#include "SkinCompose.h"
#include "SkinDataLink.h"
#include "SkinLookup.h"
#include "SkinPalette.h"
#include "TbsSkinScrollBar.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>

TbsSkinMemo::TbsSkinMemo(QWidget* parent, TComponent* owner)
    : QWidget(parent), TComponent(owner), FDefaultFont(defaultSkinFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    FMemo = new QPlainTextEdit(this);
    FMemo->setFrameShape(QFrame::NoFrame);
    FMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FMemo->setContextMenuPolicy(Qt::NoContextMenu);
    FMemo->setTabChangesFocus(true);
    FMemo->document()->setDocumentMargin(1);
    FMemo->installEventFilter(this);
    FMemo->viewport()->installEventFilter(this);
    setFocusProxy(FMemo);
    setFocusPolicy(Qt::StrongFocus);
    connect(FMemo, &QPlainTextEdit::textChanged, this, [this] {
        UpdateScrollBar();
        fireNotify(OnChange, this);
    });
    connect(FMemo->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { UpdateScrollBar(); });
    // The view's top line settles after the native scroll bar has moved (a scroll to the
    // caret, a relayout): the view itself reports when its text has scrolled.
    connect(FMemo, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int dy) {
        if (dy != 0)
            UpdateScrollBar();
    });
    resize(185, 89);
    recreateNative();
}

void TbsSkinMemo::setSkinData(TbsSkinData* value)
{
    relinkSkinData(*this, FSkinData, value);
    if (value && skinIsLoaded(value))
        ApplySkin();
}

void TbsSkinMemo::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove) {
        if (isSkinDataRemoval(FSkinData, component, operation)) {
            FSkinData = nullptr;
            FIndex = -1;
        }
        if (FVScrollBar && component == static_cast<TComponent*>(FVScrollBar.data()))
            FVScrollBar = nullptr;
    }
    TComponent::notification(component, operation);
}

void TbsSkinMemo::setDefaultFont(const QFont& value)
{
    FDefaultFont = value;
    if (!isSkinned())
        recreateNative();
}

void TbsSkinMemo::setBitMapBG(bool value)
{
    FBitMapBG = value;
    recreateNative();
}

void TbsSkinMemo::setWordWrap(bool value)
{
    FMemo->setLineWrapMode(value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TbsSkinMemo::setVScrollBar(TbsSkinScrollBar* value)
{
    FVScrollBar = value;
    if (!value)
        return;
    value->freeNotification(this);
    value->SetRange(0, 0, 0, 0);
    value->OnChange = [this](QObject*) {
        if (FVScrollBar)
            FMemo->verticalScrollBar()->setValue(FVScrollBar->Position());
        update();
    };
    UpdateScrollBar();
}

QStringList TbsSkinMemo::Lines() const
{
    QStringList lines;
    for (QTextBlock b = FMemo->document()->begin(); b.isValid(); b = b.next())
        lines << b.text();
    if (lines.size() == 1 && lines.first().isEmpty())
        lines.clear();
    return lines;
}

void TbsSkinMemo::setLines(const QStringList& lines)
{
    FMemo->setPlainText(lines.join(QLatin1Char('\n')));
}

void TbsSkinMemo::AddLine(const QString& line)
{
    FMemo->appendPlainText(line);
}

void TbsSkinMemo::ClearLines()
{
    FMemo->clear();
}

void TbsSkinMemo::setText(const QString& text)
{
    FMemo->setPlainText(text);
}

void TbsSkinMemo::LoadSkinSection()
{
    const auto found = findSkinSection(FSkinData, FSkinDataName);
    FIndex = found ? found->index : -1;
    if (found && found->isMemo) {
        FSection = *found;
        if (FSection.activeSkinRect.isEmpty())
            FSection.activeSkinRect = FSection.geometry.skinRect;
    }
}

QRect TbsSkinMemo::nativeRect() const
{
    if (isSkinned() && FSection.isMemo) {
        const SkinGeometry& g = FSection.geometry;
        const SkinRect& c = g.clientRect;
        return QRect(c.left, c.top, width() - c.left - (g.skinWidth() - c.right),
                     height() - c.top - (g.skinHeight() - c.bottom));
    }
    return rect().adjusted(2, 2, -2, -2);
}

void TbsSkinMemo::applyStateColors()
{
    QPalette pal = FMemo->palette();
    const bool skinned = isSkinned() && FSection.isMemo;
    const bool active = FMouseIn || FMemo->hasFocus();
    if (skinned) {
        const QColor text = colorFromBgr(active ? FSection.activeFontColor : FSection.font.color);
        pal.setColor(QPalette::Active, QPalette::Text, text);
        pal.setColor(QPalette::Inactive, QPalette::Text, text);
        const QColor bg = colorFromBgr(active && !FBitMapBG ? FSection.activeBgColor : FSection.bgColor);
        pal.setColor(QPalette::Base, FBitMapBG ? QColor(Qt::transparent) : bg);
    } else {
        pal.setColor(QPalette::Active, QPalette::Text, sysColor(SysColor::WindowText));
        pal.setColor(QPalette::Inactive, QPalette::Text, sysColor(SysColor::WindowText));
        pal.setColor(QPalette::Base, sysColor(SysColor::Window));
    }
    pal.setColor(QPalette::Disabled, QPalette::Text, sysColor(SysColor::GrayText));
    FMemo->setPalette(pal);
    FMemo->viewport()->setAutoFillBackground(!FBitMapBG || !skinned);
    update();
}

void TbsSkinMemo::recreateNative()
{
    LoadSkinSection();
    QFont font = FDefaultFont;
    if (isSkinned() && FSection.isMemo && FUseSkinFont)
        font = skinFont(FSection.font);
    FMemo->setFont(font);
    FMemo->setGeometry(nativeRect());
    applyStateColors();
}

void TbsSkinMemo::ApplySkin()
{
    LoadSkinSection();
    UpdateScrollBar();
    recreateNative();
}

int TbsSkinMemo::lineCount() const
{
    // Lines as the memo shows them: a wrapped line counts each of its screen lines. Blocks
    // are laid out lazily (until then each counts one), so each is laid out here first.
    QAbstractTextDocumentLayout* layout = FMemo->document()->documentLayout();
    int count = 0;
    for (QTextBlock block = FMemo->document()->begin(); block.isValid(); block = block.next()) {
        layout->blockBoundingRect(block);
        count += std::max(1, block.layout()->lineCount());
    }
    return count;
}

int TbsSkinMemo::firstVisibleLine() const
{
    // Counted in the same screen lines as lineCount(), from the text at the top of the view.
    const QTextCursor top = FMemo->cursorForPosition(QPoint(0, 0));
    const QTextBlock topBlock = top.block();
    int line = 0;
    for (QTextBlock block = FMemo->document()->begin(); block.isValid() && block != topBlock; block = block.next())
        line += std::max(1, block.layout()->lineCount());
    if (QTextLayout* layout = topBlock.layout(); layout && layout->lineCount() > 0)
        line += std::max(0, layout->lineForTextPosition(top.positionInBlock()).lineNumber());
    return line;
}

void TbsSkinMemo::UpdateScrollBar()
{
    if (!FVScrollBar)
        return;
    if (!isEnabled()) {
        FVScrollBar->setEnabled(false);
        return;
    }
    const int textHeight = QFontMetrics(FMemo->font()).height();
    const int visible = textHeight > 0 ? FMemo->viewport()->height() / textHeight : 1;
    const int lines = lineCount();
    if (visible < lines) {
        const int page = visible + 1;
        FVScrollBar->SetRange(0, lines, page, std::min(firstVisibleLine(), lines - page + 1));
        FVScrollBar->setEnabled(true);
    } else {
        FVScrollBar->SetRange(0, 0, 0, 0);
        FVScrollBar->setEnabled(false);
    }
}

QImage TbsSkinMemo::renderFace()
{
    const int W = width(), H = height();
    QImage bitmap(W, H, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(FMemo->palette().color(QPalette::Base));
    LoadSkinSection();
    const bool active = FMouseIn || FMemo->hasFocus();
    QPainter p(&bitmap);
    if (isSkinned() && FSection.isMemo && !FSection.picture.isNull()) {
        const SkinGeometry& g = FSection.geometry;
        const int dW = W - g.skinWidth(), dH = H - g.skinHeight();
        FittedGeometry f;
        f.leftTop = g.leftTop;
        f.rightTop = g.rightTop + QPoint(dW, 0);
        f.leftBottom = g.leftBottom + QPoint(0, dH);
        f.rightBottom = g.rightBottom + QPoint(dW, dH);
        f.clientRect = SkinRect(g.clientRect.left, g.clientRect.top, g.clientRect.right + dW, g.clientRect.bottom + dH);
        const SkinRect source = active ? FSection.activeSkinRect : g.skinRect;
        if (FBitMapBG) {
            p.drawImage(0, 0, ComposeFourPointImage(W, H, FSection.picture, source, g, f, true));
        } else {
            const FrameBorderPieces pieces =
                composeFrameBorderPieces(FSection.picture.copy(source.toQRect()), g, f, W, H);
            const int topHeight = pieces.top.height();
            p.setCompositionMode(QPainter::CompositionMode_Source);
            if (!pieces.top.isNull())
                p.drawImage(0, 0, pieces.top);
            if (!pieces.left.isNull())
                p.drawImage(0, topHeight, pieces.left);
            if (!pieces.right.isNull())
                p.drawImage(W - pieces.right.width(), topHeight, pieces.right);
            if (!pieces.bottom.isNull())
                p.drawImage(0, H - pieces.bottom.height(), pieces.bottom);
        }
        return bitmap;
    }
    const QColor outer = active ? sysColor(SysColor::BtnShadow) : sysColor(SysColor::BtnFace);
    const QColor inner = active ? sysColor(SysColor::BtnFace) : sysColor(SysColor::BtnShadow);
    p.setPen(outer);
    p.drawRect(0, 0, W - 1, H - 1);
    p.setPen(inner);
    p.drawRect(1, 1, W - 3, H - 3);
    return bitmap;
}

void TbsSkinMemo::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, renderFace());
}

void TbsSkinMemo::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LoadSkinSection();
    FMemo->setGeometry(nativeRect());
    UpdateScrollBar();
}

void TbsSkinMemo::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    FMouseIn = true;
    applyStateColors();
    fireNotify(OnMouseEnter, this);
}

void TbsSkinMemo::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    FMouseIn = false;
    applyStateColors();
    fireNotify(OnMouseLeave, this);
}

void TbsSkinMemo::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        UpdateScrollBar();
        update();
    }
}

bool TbsSkinMemo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FMemo->viewport() && event->type() == QEvent::Wheel) {
        // One line per wheel step.
        auto* wheel = static_cast<QWheelEvent*>(event);
        const int delta = wheel->angleDelta().y();
        if (delta != 0) {
            QScrollBar* bar = FMemo->verticalScrollBar();
            bar->setValue(bar->value() + (delta > 0 ? -1 : 1));
        }
        return true;
    }
    if ((watched == FMemo || watched == FMemo->viewport()) && restrictInput(event))
        return true;
    // The middle button pastes the selection on its release; a read-only memo refuses it.
    if (watched == FMemo->viewport() && FReadOnly && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
        return true;
    if (watched == FMemo) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (FReadOnly) {
                const bool editing = key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste)
                                     || key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
                                     || key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace
                                     || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter
                                     || (!key->text().isEmpty() && key->text().at(0).isPrint()
                                         && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
                if (editing)
                    return true;
            }
            break;
        }
        case QEvent::InputMethod:
        case QEvent::Drop:
            if (FReadOnly)
                return true;
            break;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            applyStateColors();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int TbsSkinMemo::roomForInput() const
{
    if (FMaxLength <= 0)
        return -1;
    const QTextCursor cursor = FMemo->textCursor();
    const int kept = FMemo->document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    return std::max(0, FMaxLength - kept);
}

bool TbsSkinMemo::restrictInput(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && !FWantReturns && !(key->modifiers() & Qt::ControlModifier)) {
            // Not ours: the key goes on to the parents and the window.
            key->ignore();
            return true;
        }
        // The read-only rule (below, in the event filter) drops what would change the text.
        if (FReadOnly)
            return false;
        const int room = roomForInput();
        if (key->matches(QKeySequence::Paste) && room >= 0) {
            const QString pasted = QGuiApplication::clipboard()->text();
            if (!pasted.isEmpty()) {
                FMemo->textCursor().insertText(pasted.left(room));
                FMemo->ensureCursorVisible();
            }
            return true;
        }
        const QString typed = enter ? QStringLiteral("\n") : key->text();
        const bool typing = enter || (!typed.isEmpty() && typed.at(0).isPrint()
                                      && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)));
        if (!typing)
            return false;
        if (room >= 0 && typed.size() > room)
            return true;
        if (enter && !FWantReturns) {
            // Ctrl+Enter: the line break that Enter itself no longer types.
            FMemo->textCursor().insertBlock();
            FMemo->ensureCursorVisible();
            return true;
        }
        return false;
    }
    case QEvent::InputMethod: {
        auto* input = static_cast<QInputMethodEvent*>(event);
        const int room = roomForInput();
        if (FReadOnly || room < 0 || input->commitString().size() <= room)
            return false;
        QInputMethodEvent cut(input->preeditString(), input->attributes());
        cut.setCommitString(input->commitString().left(room), input->replacementStart(), input->replacementLength());
        QCoreApplication::sendEvent(FMemo, &cut);
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const int room = roomForInput();
        if (FReadOnly)
            return false;
        // A dropped text that does not fit is refused whole (where it lands is not yet known).
        return room >= 0 && drop->mimeData() && drop->mimeData()->text().size() > room;
    }
    default:
        return false;
    }
}
