#pragma once
// A report template in memory: page set-up, default font and the bands with their items.
// Lengths are millimetres from the band's top-left corner; font sizes are points.

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

struct FontSpec {
    QString family = QStringLiteral("AR PL UMing TW");
    double pointSize = 10.0;
    bool bold = false;
    bool italic = false;
};

enum class ItemKind { Text, Field, Aggregate, Line, Box };
enum class FieldSource { Detail, Header };
enum class AggregateFunction { Sum, Count, Distinct };
enum class AggregateScope { Group, Report };
// What a text that does not fit its width does: overflow is cut at the item's edge,
// shrink lowers the font size (down to a floor) and then elides.
enum class TextFit { Clip, Shrink };

struct ReportItem {
    ItemKind kind = ItemKind::Text;
    // Text, Field, Aggregate and Box: the item's rectangle. Line: from topLeft to bottomRight.
    QRectF rect;
    QString text;                // Text: the literal, with ${page}, ${pages}, ${date}, ${time}
    FieldSource source = FieldSource::Detail;
    QString field;               // Field and Aggregate (not needed for count)
    AggregateFunction function = AggregateFunction::Sum;
    AggregateScope scope = AggregateScope::Group;
    QString separator = QStringLiteral(" / "); // Distinct: between the values
    QString format;              // number pattern ("#,##0.00") or date pattern ("yyyy/MM/dd")
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool wrap = false;
    TextFit fit = TextFit::Clip;
    FontSpec font;
    QColor color = Qt::black;
    QColor negativeColor;        // invalid: negatives in the normal colour
    QColor fill;                 // Box: invalid means not filled
    double lineWidth = 0.2;      // Line and Box, millimetres; 0 draws no outline
};

enum class BandKind { Title, PageHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };
constexpr int bandKindCount = 7;

struct ReportBand {
    BandKind kind = BandKind::Detail;
    double height = 0;
    bool canGrow = false;          // wrapped texts may make the band taller
    bool repeatOnNewPage = false;  // group header: printed again when a group goes on
    std::vector<ReportItem> items;
};

struct PageSetup {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    double marginLeft = 15, marginTop = 12, marginRight = 15, marginBottom = 12;

    QSizeF sizeMm() const
    {
        QSizeF s = QPageSize(size).size(QPageSize::Millimeter);
        return orientation == QPageLayout::Landscape ? s.transposed() : s;
    }
};

struct ReportTemplate {
    PageSetup page;
    FontSpec font;
    QString groupField;            // empty: no grouping
    QString dateFormat = QStringLiteral("yyyy/MM/dd");
    QString timeFormat = QStringLiteral("HH:mm:ss");
    std::array<std::optional<ReportBand>, bandKindCount> bands;

    const ReportBand* band(BandKind kind) const
    {
        const auto& b = bands[static_cast<int>(kind)];
        return b ? &*b : nullptr;
    }
};
