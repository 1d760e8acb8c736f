#include "ReportDocument.h"

#include "ReportErrors.h"
#include "ReportFonts.h"
#include "ReportPaginator.h"
#include "TextCodec.h"

#include <QFontMetricsF>

#include <algorithm>

namespace {

bool isNumeric(FieldType type)
{
    return type == FieldType::Float || type == FieldType::Integer || type == FieldType::LargeInt;
}

// Days since 1899-12-30, the dataset files' date values.
QDateTime fromDays(double days)
{
    constexpr qint64 msPerDay = 86400000;
    QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
    return epoch.addMSecs(static_cast<qint64>(std::llround(days * msPerDay)));
}

double numberOf(const Variant& v)
{
    if (v.isNull())
        return 0;
    return v.asDouble();
}

}

ReportDocument::ReportDocument(ReportTemplate tmpl, ReportData data, QDateTime printedAt)
    : tmpl_(std::move(tmpl)), data_(std::move(data)), printedAt_(std::move(printedAt))
{
    bind();
    int rows = static_cast<int>(data_.detail.rows.size());
    int groupColumn = -1;
    if (!tmpl_.groupField.isEmpty()) {
        groupColumn = data_.detail.indexOf(TextCodec::toCp950(tmpl_.groupField));
        if (groupColumn < 0)
            throw EReportDataError(QStringLiteral("%1: the group field \"%2\" is not in the data")
                                       .arg(data_.detailSource, tmpl_.groupField)
                                       .toStdString());
    }
    const auto& detailRows = data_.detail.rows;
    groups_ = ReportPaginator::groupRows(rows, groupColumn >= 0, [&](int a, int b) {
        return detailRows[a][groupColumn] == detailRows[b][groupColumn];
    });
    computeAggregates();
    QImage measure = ReportFonts::measuringDevice();
    pages_ = ReportPaginator::paginate(tmpl_, groups_, [&](const ReportBand& band, int row, int group) {
        return band.canGrow ? bandHeight(band, row, group, measure) : band.height;
    });
}

void ReportDocument::bind()
{
    if (!data_.header.fields.empty() && data_.header.rows.empty())
        throw EReportDataError(QStringLiteral("%1: the file holds no header record").arg(data_.headerSource).toStdString());
    for (const auto& band : tmpl_.bands) {
        if (!band)
            continue;
        for (const ReportItem& item : band->items) {
            if (item.kind != ItemKind::Field && item.kind != ItemKind::Aggregate)
                continue;
            Binding binding;
            binding.number = NumberFormat(item.format);
            bool needsColumn = !(item.kind == ItemKind::Aggregate && item.function == AggregateFunction::Count);
            if (needsColumn) {
                bool header = item.kind == ItemKind::Field && item.source == FieldSource::Header;
                const DataPacket& packet = header ? data_.header : data_.detail;
                const QString& source = header ? data_.headerSource : data_.detailSource;
                if (header && packet.rows.empty())
                    throw EReportDataError(QStringLiteral("%1: the file holds no header record").arg(source).toStdString());
                binding.column = packet.indexOf(TextCodec::toCp950(item.field));
                if (binding.column < 0)
                    throw EReportDataError(QStringLiteral("%1: field \"%2\" not found").arg(source, item.field).toStdString());
                binding.type = packet.fields[binding.column].type;
                if (item.kind == ItemKind::Aggregate && item.function == AggregateFunction::Sum && !isNumeric(binding.type))
                    throw EReportDataError(QStringLiteral("%1: field \"%2\" holds %3 values and cannot be summed")
                                               .arg(source, item.field, QString::fromLatin1(fieldTypeName(binding.type)))
                                               .toStdString());
            }
            bindings_.emplace(&item, std::move(binding));
        }
    }
}

void ReportDocument::computeAggregates()
{
    const auto& rows = data_.detail.rows;
    for (const auto& [item, binding] : bindings_) {
        if (item->kind != ItemKind::Aggregate)
            continue;
        Totals totals;
        QStringList allTexts;
        for (const GroupRange& range : groups_) {
            double sum = 0;
            QStringList texts;
            for (int row = range.firstRow; row < range.endRow; ++row) {
                switch (item->function) {
                case AggregateFunction::Sum:
                    sum += numberOf(rows[row][binding.column]);
                    break;
                case AggregateFunction::Count:
                    sum += 1;
                    break;
                case AggregateFunction::Distinct: {
                    QString text = cellValue(*item, data_.detail, row).text;
                    if (!text.isEmpty() && !texts.contains(text))
                        texts << text;
                    if (!text.isEmpty() && !allTexts.contains(text))
                        allTexts << text;
                    break;
                }
                }
            }
            totals.perGroup.push_back(sum);
            totals.total += sum;
            totals.textPerGroup.push_back(texts.join(item->separator));
        }
        totals.textTotal = allTexts.join(item->separator);
        totals_.emplace(item, std::move(totals));
    }
}

double ReportDocument::bandHeight(const ReportBand& band, int row, int group, QPaintDevice& device) const
{
    double pxPerMm = ReportFonts::pixelsPerMm(device);
    PlacedBand placed{&band, 0, band.height, row, group, false};
    double height = band.height;
    for (const ReportItem& item : band.items) {
        if (!item.wrap || item.kind == ItemKind::Line || item.kind == ItemKind::Box)
            continue;
        QString text = value(item, placed, 0).text;
        QFontMetricsF metrics(ReportFonts::font(item.font), &device);
        QRectF bounds = metrics.boundingRect(QRectF(0, 0, item.rect.width() * pxPerMm, 1e6),
                                             Qt::TextWordWrap | (item.alignment & Qt::AlignHorizontal_Mask), text);
        double textHeight = bounds.height() / pxPerMm;
        if (textHeight > item.rect.height()) {
            double below = std::max(0.0, band.height - item.rect.bottom());
            height = std::max(height, item.rect.top() + textHeight + below);
        }
    }
    return height;
}

QString ReportDocument::caption() const
{
    if (data_.header.rows.empty() || data_.header.fields.empty())
        return {};
    const Variant& v = data_.header.rows.front().front();
    return v.type() == Variant::Type::String ? TextCodec::fromCp950(v.asString()) : QString();
}

ReportDocument::ItemValue ReportDocument::cellValue(const ReportItem& item, const DataPacket& packet, int row) const
{
    const Binding& binding = bindings_.at(&item);
    if (row < 0 || row >= static_cast<int>(packet.rows.size()))
        return {};
    const Variant& v = packet.rows[row][binding.column];
    if (v.isNull())
        return {};
    switch (binding.type) {
    case FieldType::String:
    case FieldType::Memo:
        return {v.type() == Variant::Type::String ? TextCodec::fromCp950(v.asString()) : QString::fromStdString(v.asString())};
    case FieldType::Float:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        double number = v.asDouble();
        return {binding.number.format(number), binding.number.showsNegative(number)};
    }
    case FieldType::Date:
    case FieldType::DateTime: {
        QDateTime moment = fromDays(v.asDouble());
        if (!item.format.isEmpty())
            return {moment.toString(item.format)};
        QString text = moment.date().toString(tmpl_.dateFormat);
        if (binding.type == FieldType::DateTime)
            text += u' ' + moment.time().toString(tmpl_.timeFormat);
        return {text};
    }
    case FieldType::Blob:
        break;
    }
    return {};
}

double ReportDocument::aggregate(const ReportItem& item, int group) const
{
    const Totals& totals = totals_.at(&item);
    if (item.scope == AggregateScope::Report)
        return totals.total;
    return group >= 0 && group < static_cast<int>(totals.perGroup.size()) ? totals.perGroup[group] : 0;
}

QString ReportDocument::expandText(const QString& text, const PlacedBand& placed, int pageIndex) const
{
    if (!text.contains(u"${"))
        return text;
    QString result = text;
    result.replace(QStringLiteral("${page}"), QString::number(pageIndex + 1));
    result.replace(QStringLiteral("${pages}"), QString::number(pages_.size()));
    result.replace(QStringLiteral("${date}"), printedAt_.date().toString(tmpl_.dateFormat));
    result.replace(QStringLiteral("${time}"), printedAt_.time().toString(tmpl_.timeFormat));
    result.replace(QStringLiteral("${continued}"), placed.continued ? QStringLiteral("（續）") : QString());
    return result;
}

ReportDocument::ItemValue ReportDocument::value(const ReportItem& item, const PlacedBand& placed, int pageIndex) const
{
    switch (item.kind) {
    case ItemKind::Text:
        return {expandText(item.text, placed, pageIndex)};
    case ItemKind::Field:
        if (item.source == FieldSource::Header)
            return cellValue(item, data_.header, 0);
        return cellValue(item, data_.detail, placed.row);
    case ItemKind::Aggregate: {
        if (item.scope == AggregateScope::Group && placed.group < 0)
            return {};
        const Totals& totals = totals_.at(&item);
        if (item.function == AggregateFunction::Distinct)
            return {item.scope == AggregateScope::Report ? totals.textTotal : totals.textPerGroup[placed.group]};
        double number = aggregate(item, placed.group);
        const NumberFormat& format = bindings_.at(&item).number;
        return {format.format(number), format.showsNegative(number)};
    }
    case ItemKind::Line:
    case ItemKind::Box:
        break;
    }
    return {};
}
