#include "TwwDBGrid.h"

#include "Application.h"
#include "DataSet.h"
#include "DataSource.h"
#include "Field.h"
#include "GridGeometry.h"
#include "IndicatorImages.h"
#include "SystemColors.h"
#include "TextCodec.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace {
// Distance from a title boundary within which a press starts resizing that column.
constexpr int kResizeGrip = 3;

// Increments a counter for the lifetime of a scope.
class CounterScope {
public:
    explicit CounterScope(int& counter) : counter_(counter) { ++counter_; }
    ~CounterScope() { --counter_; }

private:
    int& counter_;
};

// Shows another buffered record through the fields for a scope, then the current one again.
class ActiveRecordScope {
public:
    explicit ActiveRecordScope(TDataLink& link) : link_(link), saved_(link.activeRecord()) {}
    ~ActiveRecordScope() { link_.setActiveRecord(saved_); }

private:
    TDataLink& link_;
    int saved_;
};

QColor colorOf(std::uint32_t value)
{
    return SystemColors::fromColorValue(value);
}

bool rightAligned(const TField* field)
{
    switch (field->dataType()) {
    case FieldType::Integer:
    case FieldType::LargeInt:
    case FieldType::Float:
        return true;
    default:
        return false;
    }
}
}

// ------------------------------------------------------------------ columns and data link

std::string TwwColumn::DisplayLabel() const
{
    if (dummy_ || !grid_)
        return {};
    for (int i = 0; i < grid_->FieldCount(); ++i)
        if (TField* f = grid_->Fields(i); f && f->fieldName() == fieldName_)
            return grid_->UseTFields() ? f->displayName() : TextCodec::toCp950(grid_->columnTitle(i));
    return {};
}

void TwwColumn::setDisplayLabel(const std::string& label)
{
    if (dummy_ || !grid_)
        return;
    grid_->setColumnTitle(*this, label);
}

void TwwGridDataLink::activeChanged() { grid_.linkActiveChanged(); }
void TwwGridDataLink::layoutChanged() { grid_.linkLayoutChanged(); }
void TwwGridDataLink::dataSetChanged() { grid_.linkDataSetChanged(); }
void TwwGridDataLink::dataSetScrolled(int distance) { grid_.linkDataSetScrolled(distance); }
void TwwGridDataLink::recordChanged(TField* field) { grid_.linkRecordChanged(field); }
void TwwGridDataLink::editingChanged() { grid_.linkEditingChanged(); }

// ------------------------------------------------------------------ construction

TwwDBGrid::TwwDBGrid(QWidget* parent, TComponent* owner)
    : QAbstractScrollArea(parent),
      TComponent(owner),
      dataLink_(*this),
      dummyColumn_(this, {}, true),
      titleColor_(SystemColors::reference(SystemColor::ButtonFace)),
      color_(SystemColors::reference(SystemColor::Window)),
      paintOptions_([this] { invalidateBackground(); })
{
    IndicatorImages::acquire();
    setFocusPolicy(Qt::StrongFocus);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    titleFont_ = font();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        screenDepth_ = screen->depth();
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            guarded([this](int action) { scrollAction(action); }));
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this, guarded([this] { thumbReleased(); }));
    layoutGrid();
}

TwwDBGrid::~TwwDBGrid()
{
    if (TDataSource* source = DataSource())
        source->removeFreeNotification(this);
    dataLink_.setDataSource(nullptr);
    IndicatorImages::release();
}

void TwwDBGrid::setDataSource(TDataSource* source)
{
    if (source == DataSource())
        return;
    if (TDataSource* old = DataSource())
        old->removeFreeNotification(this);
    dataLink_.setDataSource(source);
    if (source)
        source->freeNotification(this);
    layoutGrid();
}

void TwwDBGrid::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component && component == DataSource())
        setDataSource(nullptr);
    TComponent::notification(component, operation);
}

void TwwDBGrid::loaded()
{
    TComponent::loaded();
    layoutGrid();
    prepareBackground();
}

TField* TwwDBGrid::Fields(int index) const
{
    const TDataSet* ds = dataSet();
    if (!ds || index < 0 || index >= FieldCount())
        return nullptr;
    return ds->field(dataLink_.fieldMap()[static_cast<size_t>(index)]);
}

TwwColumn& TwwDBGrid::ColumnByIndex(int index)
{
    const TField* field = Fields(index);
    if (!field)
        return dummyColumn_;
    // Without UseTFields the columns are the lines of Selected, one each, in order.
    if (!useTFields_)
        return index < ColumnCount() ? *columns_[static_cast<size_t>(index)] : dummyColumn_;
    for (auto& column : columns_)
        if (column->FieldName() == field->fieldName())
            return *column;
    return dummyColumn_;
}

QString TwwDBGrid::columnTitle(int column) const
{
    const TField* field = Fields(column);
    if (!field)
        return {};
    if (!useTFields_) {
        const int line = selectedLineOf(TextCodec::fromCp950(field->fieldName()));
        const QStringList parts = line >= 0 ? selected_[line].split(QLatin1Char('\t')) : QStringList();
        if (parts.size() >= 3)
            return parts[2];
    }
    return TextCodec::fromCp950(field->displayName());
}

int TwwDBGrid::columnDisplayWidth(int column) const
{
    const TField* field = Fields(column);
    if (!field)
        return -1;
    if (!useTFields_) {
        const int line = selectedLineOf(TextCodec::fromCp950(field->fieldName()));
        const QStringList parts = line >= 0 ? selected_[line].split(QLatin1Char('\t')) : QStringList();
        bool ok = false;
        const int width = parts.size() >= 2 ? parts[1].trimmed().toInt(&ok) : 0;
        if (ok)
            return width;
    }
    return field->displayWidth();
}

int TwwDBGrid::selectedLineOf(const QString& fieldName) const
{
    for (int i = 0; i < selected_.size(); ++i)
        if (selected_[i].section(QLatin1Char('\t'), 0, 0).compare(fieldName, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TwwDBGrid::setSelected(const QStringList& lines)
{
    selected_ = lines;
    if (!useTFields_)
        layoutGrid();
}

void TwwDBGrid::setUseTFields(bool use)
{
    if (use == useTFields_)
        return;
    useTFields_ = use;
    layoutGrid();
}

// ------------------------------------------------------------------ settings

void TwwDBGrid::setOptions(TwwDBGridOptions options)
{
    options_ = options;
    layoutGrid();
}

void TwwDBGrid::setTitleFont(const QFont& font)
{
    titleFont_ = font;
    layoutGrid();
}

void TwwDBGrid::setTitleColor(std::uint32_t color)
{
    titleColor_ = color;
    invalidateBackground();
}

void TwwDBGrid::setTitleLines(int lines)
{
    titleLines_ = std::max(1, lines);
    layoutGrid();
}

void TwwDBGrid::setColor(std::uint32_t color)
{
    color_ = color;
    viewport()->update();
}

void TwwDBGrid::setRowHeightPercent(int percent)
{
    rowHeightPercent_ = std::max(1, percent);
    layoutGrid();
}

bool TwwDBGrid::ShowHorzScrollBar() const
{
    return horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
}

void TwwDBGrid::setShowHorzScrollBar(bool show)
{
    setHorizontalScrollBarPolicy(show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TwwDBGrid::setScreenDepth(int depth)
{
    screenDepth_ = depth;
    invalidateBackground();
}

int TwwDBGrid::columnWidth(int index) const
{
    return index >= 0 && index < static_cast<int>(columnWidths_.size()) ? columnWidths_[static_cast<size_t>(index)]
                                                                        : 0;
}

// ------------------------------------------------------------------ re-laying

void TwwDBGrid::layoutGrid()
{
    if (isLoading() || layoutGuard_ > 0)
        return;
    CounterScope guard(layoutGuard_);

    const QFontMetrics dataMetrics(font());
    const QFontMetrics titleMetrics(titleFont_);
    const bool countRowLine = (options_ & dgRowLines) || !(options_ & dgRowLinesDisableFixed);
    rowHeight_ = std::max(1, GridGeometry::dataRowHeight(dataMetrics.height(), countRowLine, rowHeightPercent_));
    titleHeight_ = (options_ & dgTitles) ? GridGeometry::titleRowHeight(titleMetrics.height(), titleLines_) : 0;

    std::vector<int>& map = dataLink_.fieldMap();
    map.clear();
    if (const TDataSet* ds = dataSet(); ds && useTFields_) {
        for (int i = 0; i < ds->fieldCount(); ++i)
            if (ds->field(i)->visible())
                map.push_back(i);
    } else if (ds) {
        // The lines of Selected name the columns; a line naming no field of the open dataset
        // goes.
        for (int line = 0; line < selected_.size();) {
            const QString name = selected_[line].section(QLatin1Char('\t'), 0, 0);
            int index = -1;
            for (int i = 0; i < ds->fieldCount() && index < 0; ++i)
                if (TextCodec::fromCp950(ds->field(i)->fieldName()).compare(name, Qt::CaseInsensitive) == 0)
                    index = i;
            if (index < 0) {
                selected_.removeAt(line);
                continue;
            }
            map.push_back(index);
            ++line;
        }
    }

    std::vector<std::unique_ptr<TwwColumn>> columns;
    for (int i = 0; i < FieldCount(); ++i)
        columns.push_back(std::make_unique<TwwColumn>(this, Fields(i)->fieldName()));
    columns_ = std::move(columns);
    currentCol_ = std::clamp(currentCol_, 0, std::max(0, FieldCount() - 1));

    computeColumnWidths();
    updateRowCount();
    updateVerticalScrollBar();
    viewport()->update();
}

void TwwDBGrid::computeColumnWidths()
{
    const QFontMetrics dataMetrics(font());
    const QFontMetrics titleMetrics(titleFont_);
    const int zeroWidth = dataMetrics.horizontalAdvance(QLatin1Char('0'));
    const bool titlesLimit = (options_ & dgTitles) && !(options_ & dgNoLimitColSize);
    columnWidths_.clear();
    for (int i = 0; i < std::max(1, FieldCount()); ++i) {
        const TField* field = Fields(i);
        const int dataWidth = GridGeometry::dataColumnWidth(zeroWidth, field ? columnDisplayWidth(i) : -1);
        int titleWidth = 0;
        if (field && titlesLimit)
            titleWidth = GridGeometry::titleColumnWidth(
                columnTitle(i), [&titleMetrics](const QString& part) { return titleMetrics.horizontalAdvance(part); });
        columnWidths_.push_back(GridGeometry::columnWidth(dataWidth, titleWidth, titlesLimit));
    }
    updateHorizontalScrollBar();
}

void TwwDBGrid::updateRowCount()
{
    visibleRows_ = GridGeometry::visibleDataRows(viewport()->height(), titleHeight_, rowHeight_);
    dataLink_.setBufferCount(visibleRows_);
    lastActiveRecord_ = dataLink_.activeRecord();
}

void TwwDBGrid::updateVerticalScrollBar()
{
    GridScrollBar::DataState state;
    if (const TDataSet* ds = dataSet()) {
        state.numbersRecords = ds->isSequenced();
        state.recordCount = ds->recordCount();
        state.recNo = ds->recNo();
        state.inserting = ds->state() == TDataSetState::dsInsert;
        state.bof = ds->bof();
        state.eof = ds->eof();
    }
    const GridScrollBar::Info info = GridScrollBar::compute(state, visibleRows_, scrollInfo_.position);
    if (scrollInfoWritten_ && info == scrollInfo_)
        return;
    scrollInfo_ = info;
    scrollInfoWritten_ = true;
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker block(bar);
    // The thumb filling the whole bar leaves nothing to scroll.
    const bool full = info.page >= info.max - info.min;
    bar->setRange(info.min, full ? info.min : GridScrollBar::lastPosition(info));
    bar->setPageStep(std::max(1, info.page));
    bar->setValue(info.position);
}

void TwwDBGrid::updateHorizontalScrollBar()
{
    QScrollBar* bar = horizontalScrollBar();
    const int visibleWidth = std::max(0, viewport()->width() - indicatorWidth());
    bar->setRange(0, std::max(0, totalColumnsWidth() - visibleWidth));
    bar->setPageStep(std::max(1, visibleWidth));
    bar->setSingleStep(8);
    horizontalOffset_ = bar->value();
}

// ------------------------------------------------------------------ data-link notices

void TwwDBGrid::linkActiveChanged()
{
    layoutGrid();
    updateVerticalScrollBar();
}

void TwwDBGrid::linkLayoutChanged()
{
    layoutGrid();
}

void TwwDBGrid::linkDataSetChanged()
{
    updateRowCount();
    updateVerticalScrollBar();
    viewport()->update();
}

void TwwDBGrid::linkDataSetScrolled(int distance)
{
    const int oldActive = lastActiveRecord_;
    lastActiveRecord_ = dataLink_.activeRecord();
    updateVerticalScrollBar();
    if (std::abs(distance) > visibleRows_) {
        viewport()->update();
        return;
    }
    if (distance % 2 != 0)
        rowParity_ = !rowParity_;
    if (distance != 0) {
        if (paintOptions_.FastRecordScrolling()) {
            const QRect rows(0, titleHeight_, viewport()->width(), visibleRows_ * rowHeight_);
            viewport()->scroll(0, -distance * rowHeight_, rows);
        } else {
            viewport()->update(QRect(0, titleHeight_, viewport()->width(), viewport()->height() - titleHeight_));
        }
    }
    viewport()->update(rowRect(oldActive - distance));
    viewport()->update(rowRect(lastActiveRecord_));
    viewport()->update(indicatorRect(oldActive - distance));
    viewport()->update(indicatorRect(lastActiveRecord_));
}

void TwwDBGrid::linkRecordChanged(TField*)
{
    viewport()->update(rowRect(dataLink_.activeRecord()));
}

void TwwDBGrid::linkEditingChanged()
{
    viewport()->update(indicatorRect(dataLink_.activeRecord()));
}

void TwwDBGrid::setColumnTitle(const TwwColumn& column, const std::string& label)
{
    if (column.isDummy())
        return;
    CounterScope guard(layoutGuard_);
    const QString fieldName = TextCodec::fromCp950(column.FieldName());
    for (QString& line : selected_) {
        QStringList parts = line.split(QLatin1Char('\t'));
        if (parts.size() >= 3 && parts[0].compare(fieldName, Qt::CaseInsensitive) == 0) {
            parts[2] = TextCodec::fromCp950(label);
            line = parts.join(QLatin1Char('\t'));
        }
    }
    if (useTFields_)
        if (TDataSet* ds = dataSet())
            if (TField* field = ds->findField(column.FieldName()))
                field->setDisplayLabel(label);
    computeColumnWidths();
    viewport()->update();
}

// ------------------------------------------------------------------ background

void TwwDBGrid::invalidateBackground()
{
    backgroundDirty_ = true;
    viewport()->update();
}

void TwwDBGrid::prepareBackground()
{
    GridBackground::Request request;
    request.picture = paintOptions_.BackgroundBitmap();
    request.style = paintOptions_.BackgroundDrawStyle();
    // Over the grid's outer size, scroll bars included, as the picture is stretched or
    // centred; the cells copy from it at their own positions.
    request.size = size();
    request.screenDepth = screenDepth_;
    request.alternatingRowColor = paintOptions_.AlternatingRowColor();
    request.alternatingRegions = paintOptions_.AlternatingRowRegions() != TwwAlternatingRowRegions();
    request.activeRecordColor = paintOptions_.ActiveRecordColor();
    request.titleColor = SystemColors::toColorValue(colorOf(titleColor_));
    request.fixedColorNone = titleColor_ == GridBackground::clNone;
    request.titleHeight = titleHeight_;
    const TwwBackgroundOptions options = paintOptions_.BackgroundOptions();
    request.blendFixedRow = options & coBlendFixedRow;
    request.blendFixedColumn = options & coBlendFixedColumn;
    request.blendActiveRecord = options & coBlendActiveRecord;
    request.blendAlternatingRow = options & coBlendAlternatingRow;
    copies_ = GridBackground::prepare(request);
    backgroundDirty_ = false;
}

const GridBackground::Copies& TwwDBGrid::backgroundCopies()
{
    if (backgroundDirty_)
        prepareBackground();
    return copies_;
}

// ------------------------------------------------------------------ geometry helpers

int TwwDBGrid::totalColumnsWidth() const
{
    int total = 0;
    for (int w : columnWidths_)
        total += w;
    return total;
}

int TwwDBGrid::columnLeft(int column) const
{
    int x = dataLeft();
    for (int i = 0; i < column && i < static_cast<int>(columnWidths_.size()); ++i)
        x += columnWidths_[static_cast<size_t>(i)];
    return x;
}

int TwwDBGrid::columnAt(int x) const
{
    if (x < indicatorWidth())
        return -1;
    int left = dataLeft();
    for (int i = 0; i < FieldCount(); ++i) {
        const int right = left + columnWidths_[static_cast<size_t>(i)];
        if (x >= left && x < right)
            return i;
        left = right;
    }
    return -1;
}

QRect TwwDBGrid::rowRect(int row) const
{
    return {0, titleHeight_ + row * rowHeight_, viewport()->width(), rowHeight_};
}

QRect TwwDBGrid::indicatorRect(int row) const
{
    return {0, titleHeight_ + row * rowHeight_, indicatorWidth(), rowHeight_};
}

// ------------------------------------------------------------------ painting

QImage TwwDBGrid::render()
{
    QImage image(viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    paintGrid(painter, image.rect());
    return image;
}

void TwwDBGrid::paintEvent(QPaintEvent* event)
{
    dispatch([&] {
        if (offscreen_.size() != viewport()->size())
            offscreen_ = QImage(viewport()->size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        const QRect area = event->rect();
        {
            QPainter buffer(&offscreen_);
            buffer.setClipRect(area);
            paintGrid(buffer, area);
        }
        QPainter screen(viewport());
        screen.drawImage(area.topLeft(), offscreen_, area);
    });
}

void TwwDBGrid::paintFixedCell(QPainter& painter, const QRect& rect)
{
    if (!copies_.fixedColumn.isNull())
        painter.drawImage(rect.topLeft(), copies_.fixedColumn, rect);
    else
        painter.fillRect(rect, colorOf(titleColor_));
}

void TwwDBGrid::paintGrid(QPainter& painter, const QRect& area)
{
    if (backgroundDirty_ && !paintOptions_.BackgroundBitmap().isNull())
        prepareBackground();
    const bool fillFromPicture = !copies_.background.isNull() && (paintOptions_.BackgroundOptions() & coFillDataCells);
    if (fillFromPicture)
        painter.drawImage(area.topLeft(), copies_.background, area);
    else
        painter.fillRect(area, colorOf(color_));

    const int width = viewport()->width();
    const int height = viewport()->height();
    if (!dataSet()) {
        if (titleHeight_ > 0)
            paintFixedCell(painter, QRect(0, 0, width, titleHeight_));
        paintFixedCell(painter, QRect(0, titleHeight_, indicatorWidth(), height - titleHeight_));
        return;
    }

    // Title row.
    if (titleHeight_ > 0) {
        if (indicatorWidth() > 0)
            paintFixedCell(painter, QRect(0, 0, indicatorWidth(), titleHeight_));
        painter.save();
        painter.setClipRect(QRect(indicatorWidth(), 0, width - indicatorWidth(), titleHeight_).intersected(area));
        for (int c = 0; c < FieldCount(); ++c) {
            const QRect cell(columnLeft(c), 0, columnWidths_[static_cast<size_t>(c)], titleHeight_);
            if (cell.intersects(area))
                paintTitleCell(painter, cell, c);
        }
        painter.restore();
    }

    // Data rows.
    const int records = dataLink_.recordCount();
    const int active = dataLink_.activeRecord();
    const bool focused = hasFocus();
    {
        ActiveRecordScope keep(dataLink_);
        for (int r = 0; r < records; ++r) {
            const QRect row = rowRect(r);
            if (!row.intersects(area))
                continue;
            dataLink_.setActiveRecord(r);
            painter.save();
            painter.setClipRect(QRect(indicatorWidth(), row.top(), width - indicatorWidth(), row.height()).intersected(area));
            for (int c = 0; c < FieldCount(); ++c) {
                const QRect cell(columnLeft(c), row.top(), columnWidths_[static_cast<size_t>(c)], rowHeight_);
                if (cell.right() < indicatorWidth() || cell.left() >= width || !cell.intersects(area))
                    continue;
                paintDataCell(painter, cell, r, c, cellSelected(r, c));
            }
            painter.restore();
        }
    }
    // Indicator cells for the rows there are (an empty dataset still has its one empty row);
    // below them the background shows.
    if (indicatorWidth() > 0)
        for (int r = 0; r < std::max(records, 1); ++r)
            if (indicatorRect(r).intersects(area))
                paintIndicatorCell(painter, indicatorRect(r), r < records ? r : -1);

    // Right of the last column, from the title row down.
    const int right = columnLeft(FieldCount());
    if (right < width)
        paintFixedCell(painter, QRect(std::max(right, indicatorWidth()), 0, width - right, height));

    // No lines while HideAllLines; the current cell gets its focus frame.
    if (focused && records > 0 && active >= 0 && active < records && FieldCount() > 0) {
        // With dgRowSelect the frame goes round the whole row of cells.
        const bool rowSelect = options_ & dgRowSelect;
        const int frameLeft = columnLeft(rowSelect ? 0 : currentCol_);
        const int frameWidth = rowSelect ? totalColumnsWidth() : columnWidths_[static_cast<size_t>(currentCol_)];
        const QRect cell(frameLeft, rowRect(active).top(), frameWidth, rowHeight_);
        painter.save();
        painter.setClipRect(QRect(indicatorWidth(), titleHeight_, width, height));
        painter.setPen(SystemColors::color(SystemColor::Highlight));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        QPen dotted(SystemColors::color(SystemColor::HighlightText), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.drawRect(cell.adjusted(1, 1, -2, -2));
        painter.restore();
    }
}

bool TwwDBGrid::cellSelected(int row, int column) const
{
    if (!hasFocus() && !(options_ & dgAlwaysShowSelection))
        return false;
    if (row != dataLink_.activeRecord())
        return false;
    return column == currentCol_ || (options_ & dgRowSelect) ||
           paintOptions_.ActiveRecordColor() != GridBackground::clNone;
}

void TwwDBGrid::paintTitleCell(QPainter& painter, const QRect& rect, int column)
{
    if (!copies_.titleRow.isNull())
        painter.drawImage(rect.topLeft(), copies_.titleRow, rect);
    else
        painter.fillRect(rect, colorOf(titleColor_));
    const TField* field = Fields(column);
    if (!field)
        return;
    QString title = columnTitle(column);
    const int lines = titleLines_ > 1 ? title.count(QLatin1Char('~')) + 1 : 1;
    if (titleLines_ > 1)
        title.replace(QLatin1Char('~'), QLatin1Char('\n'));
    const QFontMetrics metrics(titleFont_);
    const int top = rect.height() / 2 - metrics.height() * lines / 2;
    painter.setFont(titleFont_);
    painter.setPen(SystemColors::color(SystemColor::WindowText));
    const QRect textRect(rect.left() + 2, rect.top() + top, rect.width() - 4, rect.height() - top);
    painter.drawText(textRect, Qt::Alignment(titleAlignment_ & Qt::AlignHorizontal_Mask) | Qt::AlignTop, title);
}

void TwwDBGrid::paintIndicatorCell(QPainter& painter, const QRect& rect, int row)
{
    paintFixedCell(painter, rect);
    if (row < 0 || row != dataLink_.activeRecord())
        return;
    const TDataSet* ds = dataSet();
    Indicator which = Indicator::Arrow;
    if (ds && ds->state() == TDataSetState::dsEdit)
        which = Indicator::Edit;
    else if (ds && ds->state() == TDataSetState::dsInsert)
        which = Indicator::Insert;
    const QColor icon = colorOf(indicatorIconColor_);
    const QImage image = IndicatorImages::image(which, icon.rgb());
    painter.drawImage(rect.left() + (rect.width() - image.width()) / 2,
                      rect.top() + (rect.height() - image.height()) / 2, image);
}

void TwwDBGrid::paintDataCell(QPainter& painter, const QRect& rect, int row, int column, bool selected)
{
    const TField* field = Fields(column);
    const QString text = field ? TextCodec::fromCp950(field->displayText()) : QString();
    QColor textColor = SystemColors::color(SystemColor::WindowText);
    if (selected) {
        // Without dgRowSelect the current cell itself keeps the highlight colour.
        const std::uint32_t active = paintOptions_.ActiveRecordColor();
        const bool ownBrush =
            active != GridBackground::clNone && ((options_ & dgRowSelect) || column != currentCol_);
        painter.fillRect(rect, ownBrush ? colorOf(active) : SystemColors::color(SystemColor::Highlight));
        textColor = SystemColors::color(SystemColor::HighlightText);
    } else if (!copies_.background.isNull() && (paintOptions_.BackgroundOptions() & coFillDataCells)) {
        const bool alternate = paintOptions_.AlternatingRowColor() != GridBackground::clNone &&
                               (paintOptions_.AlternatingRowRegions() & arrDataColumns) &&
                               ((row % 2 != 0) != rowParity_);
        if (alternate && !copies_.alternatingRow.isNull())
            painter.drawImage(rect.topLeft(), copies_.alternatingRow, rect);
        else if (alternate)
            painter.fillRect(rect, colorOf(paintOptions_.AlternatingRowColor()));
        else
            painter.drawImage(rect.topLeft(), copies_.background, rect);
    }
    if (text.isEmpty())
        return;
    Qt::Alignment align = rightAligned(field) ? Qt::AlignRight : Qt::AlignLeft;
    int flags = int(align) | Qt::AlignTop;
    if (options_ & dgWordWrap)
        flags |= Qt::TextWordWrap;
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    painter.setFont(font());
    painter.setPen(textColor);
    painter.drawText(rect.adjusted(2, 2, -2, 0), flags, text);
    painter.restore();
}

// ------------------------------------------------------------------ events

void TwwDBGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    backgroundDirty_ = true;
    updateRowCount();
    updateVerticalScrollBar();
    updateHorizontalScrollBar();
    viewport()->update();
}

void TwwDBGrid::scrollContentsBy(int, int)
{
    // Only the horizontal bar scrolls pixels; the vertical one moves the dataset.
    horizontalOffset_ = horizontalScrollBar()->value();
    viewport()->update();
}

void TwwDBGrid::scrollAction(int action)
{
    TDataSet* ds = dataSet();
    if (!ds)
        return;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: ds->next(); break;
    case QAbstractSlider::SliderSingleStepSub: ds->prior(); break;
    case QAbstractSlider::SliderPageStepAdd: ds->moveBy(visibleRows_); break;
    case QAbstractSlider::SliderPageStepSub: ds->moveBy(-visibleRows_); break;
    case QAbstractSlider::SliderToMinimum: ds->first(); break;
    case QAbstractSlider::SliderToMaximum: ds->last(); break;
    case QAbstractSlider::SliderMove:
        if (!ds->isSequenced()) {
            // Five positions only: the thumb acts where it is let go.
            if (verticalScrollBar()->isSliderDown())
                return;
            thumbReleased();
            return;
        }
        if (ds->recordCount() > 0)
            ds->setRecNo(std::clamp(verticalScrollBar()->sliderPosition(), 1, ds->recordCount()));
        break;
    default: break;
    }
    updateVerticalScrollBar();
    const QSignalBlocker block(verticalScrollBar());
    verticalScrollBar()->setSliderPosition(scrollInfo_.position);
}

void TwwDBGrid::thumbReleased()
{
    TDataSet* ds = dataSet();
    if (!ds || ds->isSequenced())
        return;
    switch (GridScrollBar::thumbMove(verticalScrollBar()->sliderPosition())) {
    case GridScrollBar::ThumbMove::First: ds->first(); break;
    case GridScrollBar::ThumbMove::PageBack: ds->moveBy(-visibleRows_); break;
    case GridScrollBar::ThumbMove::PageOn: ds->moveBy(visibleRows_); break;
    case GridScrollBar::ThumbMove::Last: ds->last(); break;
    case GridScrollBar::ThumbMove::Stay: break;
    }
    updateVerticalScrollBar();
    const QSignalBlocker block(verticalScrollBar());
    verticalScrollBar()->setSliderPosition(scrollInfo_.position);
}

bool TwwDBGrid::event(QEvent* event)
{
    // With dgTabs the grid moves between columns on Tab instead of passing the focus on.
    if (event->type() == QEvent::KeyPress && (options_ & dgTabs)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            keyPressEvent(key);
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void TwwDBGrid::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    dispatch([&] {
        int key = event->key();
        if (OnKeyDown)
            OnKeyDown(this, key, event->modifiers());
        if (key == 0)
            return;
        handleKey(key, event->modifiers());
    });
}

void TwwDBGrid::handleKey(int key, Qt::KeyboardModifiers shift)
{
    TDataSet* ds = dataSet();
    if (!ds)
        return;
    const bool ctrl = shift & Qt::ControlModifier;
    const bool rowSelect = options_ & dgRowSelect;
    const int active = dataLink_.activeRecord();
    const int lastColumn = std::max(0, FieldCount() - 1);
    switch (key) {
    case Qt::Key_Up:
        ctrl ? void(ds->moveBy(-active)) : ds->prior();
        break;
    case Qt::Key_Down:
        // A read-only grid never appends: on the last record Down stays there.
        ctrl ? void(ds->moveBy(dataLink_.recordCount() - 1 - active)) : ds->next();
        break;
    case Qt::Key_PageUp:
        ds->moveBy(ctrl ? -active : -visibleRows_);
        break;
    case Qt::Key_PageDown:
        ds->moveBy(ctrl ? dataLink_.recordCount() - 1 - active : visibleRows_);
        break;
    case Qt::Key_Home:
        if (ctrl || FieldCount() == 1 || rowSelect)
            ds->first();
        else
            setCurrentColumn(0);
        break;
    case Qt::Key_End:
        if (ctrl || FieldCount() == 1 || rowSelect)
            ds->last();
        else
            setCurrentColumn(lastColumn);
        break;
    case Qt::Key_Left:
        if (rowSelect)
            ds->prior();
        else
            setCurrentColumn(ctrl ? 0 : currentCol_ - 1);
        break;
    case Qt::Key_Right:
        if (rowSelect)
            ds->next();
        else
            setCurrentColumn(ctrl ? lastColumn : currentCol_ + 1);
        break;
    case Qt::Key_Tab:
        tabTo(!(shift & Qt::ShiftModifier));
        break;
    case Qt::Key_Backtab:
        tabTo(false);
        break;
    default:
        // Esc, Insert, Ctrl+Delete and F2 change nothing in a read-only grid; typed characters
        // start no search and no editing.
        break;
    }
}

void TwwDBGrid::tabTo(bool forward)
{
    TDataSet* ds = dataSet();
    if (!ds || FieldCount() == 0)
        return;
    // Every column has a tab stop: the dataset's fields here are neither read-only nor
    // calculated.
    if (forward) {
        if (currentCol_ < FieldCount() - 1) {
            setCurrentColumn(currentCol_ + 1);
        } else if (!ds->eof() && ds->recNo() < ds->recordCount()) {
            setCurrentColumn(0);
            ds->next();
        }
    } else {
        if (currentCol_ > 0) {
            setCurrentColumn(currentCol_ - 1);
        } else if (ds->recNo() > 1) {
            setCurrentColumn(FieldCount() - 1);
            ds->prior();
        }
    }
}

void TwwDBGrid::setCurrentColumn(int column)
{
    const int clamped = std::clamp(column, 0, std::max(0, FieldCount() - 1));
    if (clamped == currentCol_)
        return;
    currentCol_ = clamped;
    ensureColumnVisible(currentCol_);
    viewport()->update(rowRect(dataLink_.activeRecord()));
}

void TwwDBGrid::ensureColumnVisible(int column)
{
    const int left = columnLeft(column) + horizontalOffset_ - indicatorWidth();
    const int right = left + columnWidth(column);
    const int visibleWidth = viewport()->width() - indicatorWidth();
    QScrollBar* bar = horizontalScrollBar();
    if (left < bar->value())
        bar->setValue(left);
    else if (right > bar->value() + visibleWidth)
        bar->setValue(std::min(left, right - visibleWidth));
}

void TwwDBGrid::mousePressEvent(QMouseEvent* event)
{
    dispatch([&] {
        if (event->button() != Qt::LeftButton)
            return;
        setFocus(Qt::MouseFocusReason);
        TDataSet* ds = dataSet();
        if (!ds)
            return;
        const QPoint at = event->position().toPoint();
        if (at.y() < titleHeight_) {
            if (!(options_ & dgColumnResize))
                return;
            for (int c = 0; c < FieldCount(); ++c) {
                const int boundary = columnLeft(c + 1);
                if (std::abs(at.x() - boundary) <= kResizeGrip) {
                    resizingColumn_ = c;
                    resizeWidth_ = columnWidth(c);
                    return;
                }
            }
            return;
        }
        const int row = (at.y() - titleHeight_) / rowHeight_;
        if (row >= dataLink_.recordCount())
            return;
        const int column = columnAt(at.x());
        if (column >= 0)
            setCurrentColumn(column);
        ds->moveBy(row - dataLink_.activeRecord());
    });
}

void TwwDBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is a press like any other: it moves to the row, nothing more.
    mousePressEvent(event);
}

void TwwDBGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (resizingColumn_ >= 0) {
        resizeWidth_ = std::max(1, at.x() - columnLeft(resizingColumn_));
        columnWidths_[static_cast<size_t>(resizingColumn_)] = resizeWidth_;
        viewport()->update();
        return;
    }
    bool onBoundary = false;
    if ((options_ & dgColumnResize) && at.y() < titleHeight_)
        for (int c = 0; c < FieldCount() && !onBoundary; ++c)
            onBoundary = std::abs(at.x() - columnLeft(c + 1)) <= kResizeGrip;
    viewport()->setCursor(onBoundary ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TwwDBGrid::mouseReleaseEvent(QMouseEvent*)
{
    if (resizingColumn_ < 0)
        return;
    const int column = resizingColumn_;
    resizingColumn_ = -1;
    dispatch([&] {
        // The column snaps to a whole number of characters, kept on the dataset's field, or
        // without UseTFields on the column's line of Selected.
        if (TField* field = Fields(column)) {
            const int zeroWidth = QFontMetrics(font()).horizontalAdvance(QLatin1Char('0'));
            const int characters = GridGeometry::displayWidthForColumnWidth(resizeWidth_, zeroWidth);
            if (useTFields_) {
                field->setDisplayWidth(characters);
            } else if (const int line = selectedLineOf(TextCodec::fromCp950(field->fieldName())); line >= 0) {
                QStringList parts = selected_[line].split(QLatin1Char('\t'));
                while (parts.size() < 2)
                    parts << QString();
                parts[1] = QString::number(characters);
                selected_[line] = parts.join(QLatin1Char('\t'));
            }
        }
        layoutGrid();
    });
}

void TwwDBGrid::wheelEvent(QWheelEvent* event)
{
    event->accept();
    dispatch([&] {
        TDataSet* ds = dataSet();
        if (!ds)
            return;
        // Fine wheels and touchpads send parts of a step; they add up to whole steps.
        const int delta = event->angleDelta().y();
        if (delta == 0)
            return;
        if ((delta > 0) != (wheelRemainder_ > 0))
            wheelRemainder_ = 0;
        wheelRemainder_ += delta;
        const int steps = wheelRemainder_ / 120;
        wheelRemainder_ -= steps * 120;
        for (int i = 0; i < std::abs(steps); ++i)
            steps > 0 ? ds->prior() : ds->next();
    });
}

void TwwDBGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TwwDBGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}
