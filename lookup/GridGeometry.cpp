#include "GridGeometry.h"

#include <QStringList>
#include <algorithm>

namespace GridGeometry {

int dataRowHeight(int textHeight, bool countRowLine, int rowHeightPercent)
{
    return (textHeight + 2 + (countRowLine ? 1 : 0)) * rowHeightPercent / 100;
}

int titleRowHeight(int titleTextHeight, int titleLines)
{
    return titleTextHeight * std::max(1, titleLines) + 4;
}

int dataColumnWidth(int zeroWidth, int displayWidth)
{
    return displayWidth < 0 ? 64 : zeroWidth * displayWidth + 4;
}

int titleColumnWidth(const QString& label, const std::function<int(const QString&)>& measure)
{
    int widest = 0;
    for (const QString& part : label.split(QLatin1Char('~')))
        widest = std::max(widest, measure(part));
    return widest + 4;
}

int columnWidth(int dataWidth, int titleWidth, bool titlesLimitWidth)
{
    return titlesLimitWidth ? std::max(dataWidth, titleWidth) : dataWidth;
}

int displayWidthForColumnWidth(int columnWidth, int zeroWidth)
{
    if (zeroWidth <= 0)
        return 0;
    return (columnWidth + std::max(0, zeroWidth / 2 - 3) - 4) / zeroWidth;
}

int visibleDataRows(int clientHeight, int titleHeight, int rowHeight)
{
    if (rowHeight <= 0)
        return 1;
    return std::max(1, (clientHeight - titleHeight) / rowHeight);
}

}
