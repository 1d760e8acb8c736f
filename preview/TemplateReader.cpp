#include "TemplateReader.h"

#include "ReportErrors.h"

#include <QFile>
#include <QXmlStreamReader>

#include <cmath>
#include <initializer_list>

namespace {

// Bounds that keep a mistyped template from asking for absurd pages or fonts.
constexpr double maxLengthMm = 2000;
constexpr double minFontPt = 1;
constexpr double maxFontPt = 200;

class Parser {
public:
    Parser(const QByteArray& xml, const QString& source) : xml_(xml), source_(source) {}

    ReportTemplate run()
    {
        while (!xml_.atEnd()) {
            xml_.readNext();
            if (xml_.isStartElement()) {
                if (xml_.name() != u"report")
                    fail(QStringLiteral("the root element must be <report>, not <%1>").arg(xml_.name()));
                readReport();
                break;
            }
        }
        checkXml();
        if (!sawReport_)
            fail(QStringLiteral("no <report> element"));
        // Nothing but comments and blanks may follow the root element.
        while (!xml_.atEnd())
            xml_.readNext();
        checkXml();
        if (!tmpl_.band(BandKind::Detail))
            fail(QStringLiteral("the report has no <detail> band"));
        return std::move(tmpl_);
    }

private:
    [[noreturn]] void fail(const QString& problem) const
    {
        QString text = QStringLiteral("%1: line %2, column %3: %4")
                           .arg(source_)
                           .arg(xml_.lineNumber())
                           .arg(xml_.columnNumber())
                           .arg(problem);
        throw ETemplateError(text.toStdString());
    }

    void checkXml() const
    {
        if (xml_.hasError())
            fail(xml_.errorString());
    }

    void allowOnly(std::initializer_list<const char16_t*> names)
    {
        for (const auto& attr : xml_.attributes()) {
            bool known = false;
            for (auto name : names)
                known = known || attr.name() == QStringView(name);
            if (!known)
                fail(QStringLiteral("unknown attribute \"%1\" on <%2>").arg(attr.name(), xml_.name()));
        }
    }

    bool has(const char16_t* name) const { return xml_.attributes().hasAttribute(QString::fromUtf16(name)); }
    QString text(const char16_t* name, const QString& fallback = {}) const
    {
        return has(name) ? xml_.attributes().value(QString::fromUtf16(name)).toString() : fallback;
    }

    double number(const char16_t* name, double fallback, double low, double high) const
    {
        if (!has(name))
            return fallback;
        QString value = text(name).trimmed();
        bool ok = false;
        double result = value.toDouble(&ok);
        if (!ok || !std::isfinite(result))
            fail(QStringLiteral("attribute \"%1\" is not a number: \"%2\"").arg(QStringView(name), value));
        if (result < low || result > high)
            fail(QStringLiteral("attribute \"%1\" = %2 is outside %3 to %4")
                     .arg(QStringView(name), value)
                     .arg(low)
                     .arg(high));
        return result;
    }

    bool flag(const char16_t* name, bool fallback) const
    {
        if (!has(name))
            return fallback;
        QString value = text(name).trimmed();
        if (value == u"true" || value == u"1")
            return true;
        if (value == u"false" || value == u"0")
            return false;
        fail(QStringLiteral("attribute \"%1\" must be true or false, not \"%2\"").arg(QStringView(name), value));
    }

    template <typename T>
    T choice(const char16_t* name, T fallback, std::initializer_list<std::pair<const char16_t*, T>> options) const
    {
        if (!has(name))
            return fallback;
        QString value = text(name).trimmed();
        QStringList names;
        for (const auto& [optionName, optionValue] : options) {
            if (value == QStringView(optionName))
                return optionValue;
            names << QString::fromUtf16(optionName);
        }
        fail(QStringLiteral("attribute \"%1\" must be one of %2, not \"%3\"")
                 .arg(QStringView(name), names.join(u", "), value));
    }

    QColor colour(const char16_t* name, QColor fallback) const
    {
        if (!has(name))
            return fallback;
        QColor c = QColor::fromString(text(name).trimmed());
        if (!c.isValid())
            fail(QStringLiteral("attribute \"%1\" is not a colour: \"%2\"").arg(QStringView(name), text(name)));
        return c;
    }

    FontSpec fontAttributes(FontSpec font) const
    {
        if (has(u"family")) {
            font.family = text(u"family").trimmed();
            if (font.family.isEmpty())
                fail(QStringLiteral("attribute \"family\" is empty"));
        }
        font.pointSize = number(u"size", font.pointSize, minFontPt, maxFontPt);
        font.bold = flag(u"bold", font.bold);
        font.italic = flag(u"italic", font.italic);
        return font;
    }

    void readReport()
    {
        sawReport_ = true;
        allowOnly({u"version", u"dateFormat", u"timeFormat"});
        if (has(u"version") && text(u"version").trimmed() != u"1")
            fail(QStringLiteral("unsupported template version \"%1\"").arg(text(u"version")));
        tmpl_.dateFormat = text(u"dateFormat", tmpl_.dateFormat);
        tmpl_.timeFormat = text(u"timeFormat", tmpl_.timeFormat);
        while (xml_.readNextStartElement()) {
            auto name = xml_.name();
            if (name == u"page")
                readPage();
            else if (name == u"font") {
                if (sawBand_)
                    fail(QStringLiteral("<font> must come before the bands"));
                allowOnly({u"family", u"size", u"bold", u"italic"});
                tmpl_.font = fontAttributes(tmpl_.font);
                xml_.skipCurrentElement();
            } else if (name == u"title")
                readBand(BandKind::Title);
            else if (name == u"pageHeader")
                readBand(BandKind::PageHeader);
            else if (name == u"detail")
                readBand(BandKind::Detail);
            else if (name == u"summary")
                readBand(BandKind::Summary);
            else if (name == u"pageFooter")
                readBand(BandKind::PageFooter);
            else if (name == u"group")
                readGroup();
            else
                fail(QStringLiteral("unknown element <%1> in <report>").arg(name));
        }
        checkXml();
    }

    void readPage()
    {
        allowOnly({u"size", u"orientation", u"marginLeft", u"marginTop", u"marginRight", u"marginBottom"});
        PageSetup& page = tmpl_.page;
        page.size = choice<QPageSize::PageSizeId>(u"size", page.size,
                                                  {{u"A3", QPageSize::A3},
                                                   {u"A4", QPageSize::A4},
                                                   {u"A5", QPageSize::A5},
                                                   {u"B5", QPageSize::B5},
                                                   {u"Letter", QPageSize::Letter},
                                                   {u"Legal", QPageSize::Legal}});
        page.orientation = choice<QPageLayout::Orientation>(
            u"orientation", page.orientation, {{u"portrait", QPageLayout::Portrait}, {u"landscape", QPageLayout::Landscape}});
        page.marginLeft = number(u"marginLeft", page.marginLeft, 0, 100);
        page.marginTop = number(u"marginTop", page.marginTop, 0, 100);
        page.marginRight = number(u"marginRight", page.marginRight, 0, 100);
        page.marginBottom = number(u"marginBottom", page.marginBottom, 0, 100);
        QSizeF size = page.sizeMm();
        if (page.marginLeft + page.marginRight >= size.width() - 10 || page.marginTop + page.marginBottom >= size.height() - 10)
            fail(QStringLiteral("the margins leave no room on the page"));
        xml_.skipCurrentElement();
    }

    void readGroup()
    {
        if (!tmpl_.groupField.isEmpty())
            fail(QStringLiteral("only one <group> is supported"));
        allowOnly({u"field"});
        tmpl_.groupField = text(u"field").trimmed();
        if (tmpl_.groupField.isEmpty())
            fail(QStringLiteral("<group> needs a \"field\""));
        while (xml_.readNextStartElement()) {
            if (xml_.name() == u"groupHeader")
                readBand(BandKind::GroupHeader);
            else if (xml_.name() == u"groupFooter")
                readBand(BandKind::GroupFooter);
            else
                fail(QStringLiteral("unknown element <%1> in <group>").arg(xml_.name()));
        }
    }

    void readBand(BandKind kind)
    {
        sawBand_ = true;
        auto& slot = tmpl_.bands[static_cast<int>(kind)];
        if (slot)
            fail(QStringLiteral("band <%1> appears twice").arg(xml_.name()));
        if (kind == BandKind::GroupHeader)
            allowOnly({u"height", u"canGrow", u"repeatOnNewPage"});
        else
            allowOnly({u"height", u"canGrow"});
        ReportBand band;
        band.kind = kind;
        band.height = number(u"height", 0, 0, maxLengthMm);
        band.canGrow = flag(u"canGrow", false);
        band.repeatOnNewPage = flag(u"repeatOnNewPage", false);
        while (xml_.readNextStartElement())
            band.items.push_back(readItem());
        slot = std::move(band);
    }

    QRectF itemRect() const
    {
        return QRectF(number(u"x", 0, -maxLengthMm, maxLengthMm), number(u"y", 0, -maxLengthMm, maxLengthMm),
                      number(u"width", 0, 0, maxLengthMm), number(u"height", 0, 0, maxLengthMm));
    }

    void textAttributes(ReportItem& item)
    {
        item.rect = itemRect();
        Qt::Alignment h = choice<Qt::Alignment>(u"align", Qt::AlignLeft,
                                                {{u"left", Qt::AlignLeft}, {u"center", Qt::AlignHCenter}, {u"right", Qt::AlignRight}});
        Qt::Alignment v = choice<Qt::Alignment>(u"valign", Qt::AlignVCenter,
                                                {{u"top", Qt::AlignTop}, {u"middle", Qt::AlignVCenter}, {u"bottom", Qt::AlignBottom}});
        item.alignment = h | v;
        item.wrap = flag(u"wrap", false);
        item.fit = choice<TextFit>(u"fit", TextFit::Clip, {{u"clip", TextFit::Clip}, {u"shrink", TextFit::Shrink}});
        item.font = fontAttributes(tmpl_.font);
        item.color = colour(u"color", item.color);
        item.negativeColor = colour(u"negativeColor", QColor());
        item.format = text(u"format");
    }

#define CUSTPROD_TEXT_ATTRIBUTES u"x", u"y", u"width", u"height", u"align", u"valign", u"wrap", u"fit", u"family", \
                                 u"size", u"bold", u"italic", u"color", u"negativeColor", u"format"

    ReportItem readItem()
    {
        ReportItem item;
        auto name = xml_.name();
        if (name == u"text") {
            allowOnly({CUSTPROD_TEXT_ATTRIBUTES});
            item.kind = ItemKind::Text;
            textAttributes(item);
            item.text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
            checkXml();
            return item;
        }
        if (name == u"field") {
            allowOnly({CUSTPROD_TEXT_ATTRIBUTES, u"name", u"source"});
            item.kind = ItemKind::Field;
            textAttributes(item);
            item.field = text(u"name").trimmed();
            if (item.field.isEmpty())
                fail(QStringLiteral("<field> needs a \"name\""));
            item.source = choice<FieldSource>(u"source", FieldSource::Detail,
                                              {{u"detail", FieldSource::Detail}, {u"header", FieldSource::Header}});
        } else if (name == u"aggregate") {
            allowOnly({CUSTPROD_TEXT_ATTRIBUTES, u"function", u"field", u"scope", u"separator"});
            item.kind = ItemKind::Aggregate;
            textAttributes(item);
            if (!has(u"function"))
                fail(QStringLiteral("<aggregate> needs a \"function\""));
            item.function = choice<AggregateFunction>(
                u"function", AggregateFunction::Sum,
                {{u"sum", AggregateFunction::Sum}, {u"count", AggregateFunction::Count}, {u"distinct", AggregateFunction::Distinct}});
            item.scope = choice<AggregateScope>(u"scope", AggregateScope::Group,
                                                {{u"group", AggregateScope::Group}, {u"report", AggregateScope::Report}});
            item.field = text(u"field").trimmed();
            item.separator = text(u"separator", item.separator);
            if (item.field.isEmpty() && item.function != AggregateFunction::Count)
                fail(QStringLiteral("<aggregate> needs a \"field\""));
        } else if (name == u"line") {
            allowOnly({u"x1", u"y1", u"x2", u"y2", u"lineWidth", u"color"});
            item.kind = ItemKind::Line;
            item.rect = QRectF(QPointF(number(u"x1", 0, -maxLengthMm, maxLengthMm), number(u"y1", 0, -maxLengthMm, maxLengthMm)),
                               QPointF(number(u"x2", 0, -maxLengthMm, maxLengthMm), number(u"y2", 0, -maxLengthMm, maxLengthMm)));
            item.lineWidth = number(u"lineWidth", item.lineWidth, 0, 20);
            item.color = colour(u"color", item.color);
        } else if (name == u"box") {
            allowOnly({u"x", u"y", u"width", u"height", u"lineWidth", u"color", u"fill"});
            item.kind = ItemKind::Box;
            item.rect = itemRect();
            item.lineWidth = number(u"lineWidth", item.lineWidth, 0, 20);
            item.color = colour(u"color", item.color);
            item.fill = colour(u"fill", QColor());
        } else {
            fail(QStringLiteral("unknown item <%1>").arg(name));
        }
        if (xml_.readNextStartElement())
            fail(QStringLiteral("<%1> cannot hold <%2>").arg(itemName(item.kind), xml_.name()));
        checkXml();
        return item;
    }
#undef CUSTPROD_TEXT_ATTRIBUTES

    static QString itemName(ItemKind kind)
    {
        switch (kind) {
        case ItemKind::Text: return QStringLiteral("text");
        case ItemKind::Field: return QStringLiteral("field");
        case ItemKind::Aggregate: return QStringLiteral("aggregate");
        case ItemKind::Line: return QStringLiteral("line");
        case ItemKind::Box: return QStringLiteral("box");
        }
        return {};
    }

    QXmlStreamReader xml_;
    QString source_;
    ReportTemplate tmpl_;
    bool sawReport_ = false;
    bool sawBand_ = false;
};

}

namespace TemplateReader {

ReportTemplate read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(formatMessage("Cannot open file \"%s\". %s", path.toStdString(), file.errorString().toStdString()));
    return parse(file.readAll(), path);
}

ReportTemplate parse(const QByteArray& xml, const QString& source)
{
    return Parser(xml, source).run();
}

}
