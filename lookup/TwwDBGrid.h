#pragma once
// The read-only data grid: the records of the dataset behind a data source as rows, one
// column per visible field, a title row and a record indicator column. It keeps only the
// visible records in its data link's buffer and follows the current record.
//
// Painting goes through an off-screen picture. The background picture and its tinted
// copies (alternating rows, active record, title row, fixed column) are prepared once per
// change of size or options and copied cell by cell. Alternating rows follow the row parity
// bit, flipped whenever the rows scroll by an odd number, so a record keeps its colour as
// it moves up or down.

#include "Component.h"
#include "GridBackground.h"
#include "GridOptions.h"
#include "GridScrollBar.h"
#include "TwwColumn.h"
#include "TwwGridDataLink.h"
#include "TwwGridPaintOptions.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TDataSource;
class TField;

class TwwDBGrid : public QAbstractScrollArea, public TComponent {
    Q_OBJECT
public:
    explicit TwwDBGrid(QWidget* parent = nullptr, TComponent* owner = nullptr);
    ~TwwDBGrid() override;
    const char* className() const noexcept override { return "TwwDBGrid"; }

    // --- data
    TDataSource* DataSource() const { return dataLink_.dataSource(); }
    void setDataSource(TDataSource* source);
    int FieldCount() const { return static_cast<int>(dataLink_.fieldMap().size()); }
    // The field shown in column i; nullptr at or past FieldCount.
    TField* Fields(int index) const;
    // The column of Fields(index); the dummy column at or past FieldCount.
    TwwColumn& ColumnByIndex(int index);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Column lines "field<TAB>width<TAB>title<TAB>T|F[<TAB>group]". With UseTFields they
    // only mirror title and width changes of the fields that have a line; without, they are
    // the columns: their fields in line order, with the lines' widths and titles.
    QStringList& Selected() { return selected_; }
    void setSelected(const QStringList& lines);
    bool UseTFields() const { return useTFields_; }
    void setUseTFields(bool use);

    // --- settings
    TwwDBGridOptions Options() const { return options_; }
    void setOptions(TwwDBGridOptions options);
    TwwDBGridKeyOptions KeyOptions() const { return keyOptions_; }
    void setKeyOptions(TwwDBGridKeyOptions options) { keyOptions_ = options; }
    bool ReadOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    const QFont& TitleFont() const { return titleFont_; }
    void setTitleFont(const QFont& font);
    std::uint32_t TitleColor() const { return titleColor_; }
    void setTitleColor(std::uint32_t color);
    Qt::Alignment TitleAlignment() const { return titleAlignment_; }
    void setTitleAlignment(Qt::Alignment alignment) { titleAlignment_ = alignment; }
    int TitleLines() const { return titleLines_; }
    void setTitleLines(int lines);
    bool HideAllLines() const { return hideAllLines_; }
    void setHideAllLines(bool hide) { hideAllLines_ = hide; }
    std::uint32_t Color() const { return color_; }
    void setColor(std::uint32_t color);
    std::uint32_t IndicatorIconColor() const { return indicatorIconColor_; }
    void setIndicatorIconColor(std::uint32_t color) { indicatorIconColor_ = color; }
    int RowHeightPercent() const { return rowHeightPercent_; }
    void setRowHeightPercent(int percent);
    bool ShowHorzScrollBar() const;
    void setShowHorzScrollBar(bool show);
    TwwGridPaintOptions& PaintOptions() { return paintOptions_; }
    // Bits per pixel of the screen the background is prepared for (tests set 8).
    void setScreenDepth(int depth);

    // (Sender, Key, Shift): before the grid's own key handling; Key 0 stops it.
    std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)> OnKeyDown;

    // --- geometry and state, for the dialog and tests
    int dataRowHeight() const { return rowHeight_; }
    int titleRowHeight() const { return titleHeight_; }
    int indicatorWidth() const { return (options_ & dgIndicator) ? kIndicatorWidth : 0; }
    int columnWidth(int index) const;
    // The column's title and display width in characters: from the field with UseTFields,
    // from the column's line of Selected without.
    QString columnTitle(int column) const;
    int columnDisplayWidth(int column) const;
    int visibleRowCount() const { return visibleRows_; }
    int currentColumn() const { return currentCol_; }
    bool rowParity() const { return rowParity_; }
    const GridBackground::Copies& backgroundCopies();
    // Renders the whole grid into an image (what the screen shows).
    QImage render();

    void loaded() override;
    void notification(TComponent* component, Operation operation) override;

    // Data-link notices.
    void linkActiveChanged();
    void linkLayoutChanged();
    void linkDataSetChanged();
    void linkDataSetScrolled(int distance);
    void linkRecordChanged(TField* field);
    void linkEditingChanged();
    // Sets a column's title (TwwColumn::setDisplayLabel).
    void setColumnTitle(const TwwColumn& column, const std::string& label);

    static constexpr int kIndicatorWidth = 11;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void layoutGrid();
    void computeColumnWidths();
    void updateRowCount();
    void updateVerticalScrollBar();
    void updateHorizontalScrollBar();
    void invalidateBackground();
    void prepareBackground();
    void scrollAction(int action);
    void handleKey(int key, Qt::KeyboardModifiers shift);
    void tabTo(bool forward);
    void setCurrentColumn(int column);
    void ensureColumnVisible(int column);

    void paintGrid(QPainter& painter, const QRect& area);
    void paintFixedCell(QPainter& painter, const QRect& rect);
    void paintTitleCell(QPainter& painter, const QRect& rect, int column);
    void paintIndicatorCell(QPainter& painter, const QRect& rect, int row);
    void paintDataCell(QPainter& painter, const QRect& rect, int row, int column, bool selected);
    // Whether data cell (row, column) shows as selected: the current cell, the whole
    // current row with dgRowSelect or an ActiveRecordColor; only while focused unless
    // dgAlwaysShowSelection.
    bool cellSelected(int row, int column) const;
    // The line of Selected that names the field, or -1.
    int selectedLineOf(const QString& fieldName) const;
    void thumbReleased();

    int dataLeft() const { return indicatorWidth() - horizontalOffset_; }
    int columnLeft(int column) const;
    int columnAt(int x) const;
    QRect rowRect(int row) const;
    QRect indicatorRect(int row) const;
    int totalColumnsWidth() const;
    TDataSet* dataSet() const { return dataLink_.active() ? dataLink_.dataSet() : nullptr; }

    TwwGridDataLink dataLink_;
    std::vector<std::unique_ptr<TwwColumn>> columns_;
    TwwColumn dummyColumn_;
    QStringList selected_;
    bool useTFields_ = true;

    TwwDBGridOptions options_ = kDefaultGridOptions;
    TwwDBGridKeyOptions keyOptions_ = dgAllowDelete | dgAllowInsert;
    bool readOnly_ = false;
    QFont titleFont_;
    std::uint32_t titleColor_;
    Qt::Alignment titleAlignment_ = Qt::AlignLeft;
    int titleLines_ = 1;
    bool hideAllLines_ = false;
    std::uint32_t color_;
    std::uint32_t indicatorIconColor_ = 0;
    int rowHeightPercent_ = 100;
    TwwGridPaintOptions paintOptions_;

    int rowHeight_ = 18;
    int titleHeight_ = 18;
    std::vector<int> columnWidths_;
    int visibleRows_ = 1;
    int currentCol_ = 0;
    int horizontalOffset_ = 0;
    bool rowParity_ = false;
    int lastActiveRecord_ = 0;
    int layoutGuard_ = 0;
    int screenDepth_ = 32;

    GridBackground::Copies copies_;
    bool backgroundDirty_ = true;
    QImage offscreen_;
    GridScrollBar::Info scrollInfo_;
    bool scrollInfoWritten_ = false;

    // Column resizing by the user.
    int resizingColumn_ = -1;
    int resizeWidth_ = 0;
    // Wheel turns below one step (120) add up until they make one.
    int wheelRemainder_ = 0;
};
