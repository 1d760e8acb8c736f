#include "CsvExport.h"

#include "Exception.h"
#include "TextCodec.h"

#include <QDate>
#include <QSaveFile>

namespace {

QString quoted(QString text)
{
    if (text.contains(u'"') || text.contains(u',') || text.contains(u'\n') || text.contains(u'\r')) {
        text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        return u'"' + text + u'"';
    }
    return text;
}

QString cell(const FieldDesc& field, const Variant& value)
{
    if (value.isNull())
        return {};
    switch (field.type) {
    case FieldType::String:
    case FieldType::Memo: {
        QString text = value.type() == Variant::Type::String ? TextCodec::fromCp950(value.asString())
                                                              : QString::fromStdString(value.asString());
        if (!text.isEmpty() && QStringView(u"=+-@\t\r").contains(text.front()))
            text.prepend(u'\'');
        return quoted(text);
    }
    case FieldType::Integer:
    case FieldType::LargeInt:
        return QString::number(value.asInteger());
    case FieldType::Float:
        return QString::number(value.asDouble(), 'g', 15);
    case FieldType::Date:
    case FieldType::DateTime: {
        QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0));
        QDateTime moment = epoch.addMSecs(static_cast<qint64>(std::llround(value.asDouble() * 86400000.0)));
        return field.type == FieldType::Date ? moment.toString(u"yyyy-MM-dd") : moment.toString(u"yyyy-MM-dd HH:mm:ss");
    }
    case FieldType::Blob:
        break;
    }
    return {};
}

}

namespace CsvExport {

QByteArray toCsv(const DataPacket& packet)
{
    QString text;
    QStringList line;
    for (const FieldDesc& field : packet.fields)
        line << quoted(TextCodec::fromCp950(field.name));
    text += line.join(u',') + QStringLiteral("\r\n");
    for (const DataRow& row : packet.rows) {
        line.clear();
        for (size_t i = 0; i < packet.fields.size() && i < row.size(); ++i)
            line << cell(packet.fields[i], row[i]);
        text += line.join(u',') + QStringLiteral("\r\n");
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void writeCsv(const DataPacket& packet, const QString& path)
{
    QSaveFile file(path);
    QByteArray bytes = toCsv(packet);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EFCreateError(formatMessage("Cannot create file \"%s\". %s", path.toStdString(), file.errorString().toStdString()));
}

}
