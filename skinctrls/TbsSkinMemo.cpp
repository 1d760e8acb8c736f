#include "TbsSkinMemo.h"

#include "EventDispatch.h"
#include "FrameBorderPieces.h"
#include "SkinCompose.h"
#include "SkinDataLink.h"
#include "SkinLookup.h"
#include "SkinPalette.h"
#include "TbsSkinScrollBar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
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

int TbsSkinMemo::firstVisibleLine() const
{
    return FMemo->verticalScrollBar()->value();
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
    const int lineCount = FMemo->document()->lineCount();
    if (visible < lineCount) {
        const int page = visible + 1;
        FVScrollBar->SetRange(0, lineCount, page, std::min(firstVisibleLine(), lineCount - page + 1));
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
