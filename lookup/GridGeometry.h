#pragma once
// The read-only grid's measures, apart from the widget: row heights, column widths from a
// field's display width and title, and the display width a resized column snaps to.

#include <QString>
#include <functional>

namespace GridGeometry {

// Data row: (text height + 2, plus 1 for the row line when lines are counted) scaled by
// rowHeightPercent, rounded down.
int dataRowHeight(int textHeight, bool countRowLine, int rowHeightPercent);
// Title row: text height of the title font × title lines + 4.
int titleRowHeight(int titleTextHeight, int titleLines);

// Data width of a column: zeroWidth × displayWidth + 4; 64 when there is no field
// (displayWidth < 0).
int dataColumnWidth(int zeroWidth, int displayWidth);
// Title width: the widest part of the label split at "~", measured by `measure`, plus 4.
int titleColumnWidth(const QString& label, const std::function<int(const QString&)>& measure);
// The column width: the data width, or the title width when titles are shown, not
// unlimited, and the title is wider.
int columnWidth(int dataWidth, int titleWidth, bool titlesLimitWidth);

// The display width, in characters of width zeroWidth, that a column the user resized to
// `columnWidth` pixels takes: (columnWidth + max(0, zeroWidth div 2 − 3) − 4) div zeroWidth.
int displayWidthForColumnWidth(int columnWidth, int zeroWidth);

// Data rows that fit below the title row (at least 1).
int visibleDataRows(int clientHeight, int titleHeight, int rowHeight);

}
