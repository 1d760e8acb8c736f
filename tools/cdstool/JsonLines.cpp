#include "JsonLines.h"

#include "TextCodec.h"

#include <QByteArray>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace JsonLines {

std::string quote(const std::string& utf8)
{
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                out += escape;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

namespace {

std::string number(double value)
{
    if (!std::isfinite(value))
        return "null";
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, end) : "null";
}

std::string valueText(const FieldDesc& field, const Variant& value)
{
    if (value.isNull())
        return "null";
    switch (field.type) {
    case FieldType::String:
    case FieldType::Memo:
        return quote(TextCodec::cp950ToUtf8(value.asString()));
    case FieldType::Blob: {
        const std::string bytes = value.asString();
        return quote(QByteArray(bytes.data(), qsizetype(bytes.size())).toBase64().toStdString());
    }
    case FieldType::Integer:
    case FieldType::LargeInt:
        return std::to_string(value.asInteger());
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::DateTime:
        return number(value.asDouble());
    }
    return "null";
}

}

std::string fieldsLine(const DataPacket& packet)
{
    std::string out = "{\"fields\":[";
    for (size_t i = 0; i < packet.fields.size(); ++i) {
        const FieldDesc& f = packet.fields[i];
        if (i > 0)
            out += ",";
        out += "{\"name\":" + quote(TextCodec::cp950ToUtf8(f.name)) + ",\"type\":" + quote(fieldTypeName(f.type)) +
               ",\"size\":" + std::to_string(f.size) + "}";
    }
    return out + "]}";
}

std::string rowLine(const DataPacket& packet, const DataRow& row)
{
    std::string out = "{";
    for (size_t i = 0; i < packet.fields.size(); ++i) {
        if (i > 0)
            out += ",";
        const Variant value = i < row.size() ? row[i] : Variant();
        out += quote(TextCodec::cp950ToUtf8(packet.fields[i].name)) + ":" + valueText(packet.fields[i], value);
    }
    return out + "}";
}

}
