#pragma once
// A report ready to draw: the template bound to its data, the groups and their aggregates,
// and the pages, all computed when the document is made. Drawing a page afterwards needs
// nothing but the page's own bands, so any page can be shown at once.

#include "DataPacket.h"
#include "NumberFormat.h"
#include "ReportLayout.h"
#include "ReportTemplate.h"

#include <QDateTime>
#include <QPaintDevice>
#include <QString>

#include <unordered_map>
#include <vector>

struct ReportData {
    DataPacket detail;       // one row per detail line ("temp.cds")
    DataPacket header;       // one record of report-wide texts ("temp2.cds")
    QString detailSource;    // file names for messages
    QString headerSource;
};

class ReportDocument {
public:
    // Binds and paginates. A field the data do not have, a sum over text, or a header file
    // without its record raises EReportDataError naming the file.
    ReportDocument(ReportTemplate tmpl, ReportData data, QDateTime printedAt);
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    const ReportTemplate& reportTemplate() const { return tmpl_; }
    const ReportData& data() const { return data_; }
    const std::vector<GroupRange>& groups() const { return groups_; }
    const std::vector<ReportPage>& pages() const { return pages_; }
    int pageCount() const { return static_cast<int>(pages_.size()); }
    QSizeF pageSizeMm() const { return tmpl_.page.sizeMm(); }
    QDateTime printedAt() const { return printedAt_; }

    // The header record's first field (the window caption), or empty.
    QString caption() const;

    struct ItemValue {
        QString text;
        bool negative = false;
    };
    // What a text, field or aggregate item shows in a placed band on page pageIndex.
    ItemValue value(const ReportItem& item, const PlacedBand& placed, int pageIndex) const;

    // Group or report total of a numeric field (sum) or of rows (count), as the report shows it.
    double aggregate(const ReportItem& item, int group) const;

private:
    struct Binding {
        int column = -1;
        FieldType type = FieldType::String;
        NumberFormat number;
    };
    struct Totals {
        std::vector<double> perGroup;
        double total = 0;
        std::vector<QString> textPerGroup; // distinct
        QString textTotal;
    };

    void bind();
    void computeAggregates();
    double bandHeight(const ReportBand& band, int row, int group, QPaintDevice& device) const;
    ItemValue cellValue(const ReportItem& item, const DataPacket& packet, int row) const;
    QString expandText(const QString& text, const PlacedBand& placed, int pageIndex) const;

    ReportTemplate tmpl_;
    ReportData data_;
    QDateTime printedAt_;
    std::vector<GroupRange> groups_;
    std::vector<ReportPage> pages_;
    std::unordered_map<const ReportItem*, Binding> bindings_;
    std::unordered_map<const ReportItem*, Totals> totals_;
};
