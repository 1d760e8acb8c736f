#include "ReportPainter.h"

#include "ReportFonts.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

constexpr double shrinkFloor = 0.6; // a shrunk text keeps at least 60 % of its size

class PagePainter {
public:
    PagePainter(QPainter& painter, const ReportDocument& document, int pageIndex)
        : painter_(painter), document_(document), pageIndex_(pageIndex),
          scale_(ReportFonts::pixelsPerMm(*painter.device()))
    {
    }

    void run()
    {
        const ReportPage& page = document_.pages()[pageIndex_];
        double left = document_.reportTemplate().page.marginLeft;
        for (const PlacedBand& placed : page.bands) {
            painter_.save();
            // Overflow of a band (a cut title) stays inside it.
            painter_.setClipRect(toDevice(QRectF(0, placed.top, document_.pageSizeMm().width(), placed.height)));
            QPointF origin(left, placed.top);
            for (const ReportItem& item : placed.band->items)
                paintItem(item, placed, origin);
            painter_.restore();
        }
    }

private:
    QRectF toDevice(const QRectF& mm) const
    {
        return QRectF(mm.x() * scale_, mm.y() * scale_, mm.width() * scale_, mm.height() * scale_);
    }

    QPen pen(const ReportItem& item) const
    {
        QPen pen(item.color);
        pen.setWidthF(std::max(item.lineWidth * scale_, 1.0));
        pen.setCapStyle(Qt::FlatCap);
        return pen;
    }

    void paintItem(const ReportItem& item, const PlacedBand& placed, QPointF origin)
    {
        QRectF rect = item.rect.translated(origin);
        switch (item.kind) {
        case ItemKind::Line:
            if (item.lineWidth > 0) {
                painter_.setPen(pen(item));
                painter_.drawLine(QPointF(rect.left() * scale_, rect.top() * scale_),
                                  QPointF(rect.right() * scale_, rect.bottom() * scale_));
            }
            return;
        case ItemKind::Box:
            painter_.setPen(item.lineWidth > 0 ? pen(item) : QPen(Qt::NoPen));
            painter_.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter_.drawRect(toDevice(rect));
            return;
        default:
            break;
        }
        ReportDocument::ItemValue value;
        try {
            value = document_.value(item, placed, pageIndex_);
        } catch (const std::exception&) {
            // A value of the wrong kind in a column: mark the cell rather than fail the page.
            value.text = QStringLiteral("#?");
        }
        if (value.text.isEmpty())
            return;
        painter_.setPen(value.negative && item.negativeColor.isValid() ? item.negativeColor : item.color);
        QFont font = ReportFonts::font(item.font);
        QRectF box = toDevice(rect);
        if (item.wrap) {
            // A grown band gives its wrapped texts the extra height.
            box.setBottom(std::max(box.bottom(), (placed.top + placed.height) * scale_));
            painter_.setFont(font);
            painter_.drawText(box, int(item.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextWordWrap,
                              value.text);
            return;
        }
        painter_.setFont(font);
        QString text = value.text;
        if (item.fit == TextFit::Shrink && box.width() > 0) {
            QFontMetricsF metrics(font, painter_.device());
            double advance = metrics.horizontalAdvance(text);
            if (advance > box.width()) {
                double size = std::max(item.font.pointSize * box.width() / advance, item.font.pointSize * shrinkFloor);
                font.setPointSizeF(size);
                painter_.setFont(font);
                QFontMetricsF shrunk(font, painter_.device());
                text = shrunk.elidedText(text, Qt::ElideRight, box.width());
            }
        }
        int flags = int(item.alignment) | Qt::TextSingleLine;
        if (item.fit == TextFit::Shrink)
            flags |= Qt::TextDontClip; // already fitted; never cut a glyph's edge
        painter_.drawText(box, flags, text);
    }

    QPainter& painter_;
    const ReportDocument& document_;
    int pageIndex_;
    double scale_;
};

}

namespace ReportPainter {

void paintPage(QPainter& painter, const ReportDocument& document, int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= document.pageCount())
        return;
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    PagePainter(painter, document, pageIndex).run();
    painter.restore();
}

}
