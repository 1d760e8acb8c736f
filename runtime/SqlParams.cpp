#include "SqlParams.h"

namespace {
bool isNameByte(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'
        || c == '$' || c >= 0x80;
}
}

ParsedSql parseSqlParams(const std::string& sql)
{
    ParsedSql result;
    std::string& out = result.text;
    out.reserve(sql.size());
    const size_t n = sql.size();
    size_t i = 0;
    while (i < n) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // A quoted literal or identifier; a doubled quote inside it does not end it.
            size_t end = i + 1;
            while (end < n) {
                if (sql[end] == c) {
                    if (end + 1 < n && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            end = std::min(end + 1, n);
            out.append(sql, i, end - i);
            i = end;
        } else if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            size_t end = sql.find('\n', i);
            end = end == std::string::npos ? n : end;
            out.append(sql, i, end - i);
            i = end;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            size_t end = sql.find("*/", i + 2);
            end = end == std::string::npos ? n : end + 2;
            out.append(sql, i, end - i);
            i = end;
        } else if (c == ':' && i + 1 < n && sql[i + 1] == ':') {
            out += ':';
            i += 2;
        } else if (c == ':' && i + 1 < n && isNameByte(static_cast<unsigned char>(sql[i + 1]))) {
            size_t end = i + 1;
            while (end < n && isNameByte(static_cast<unsigned char>(sql[end]))) {
                // A Big5 lead byte takes its trail byte with it, whatever that byte is.
                if (static_cast<unsigned char>(sql[end]) >= 0x81 && end + 1 < n)
                    ++end;
                ++end;
            }
            result.names.push_back(sql.substr(i + 1, end - i - 1));
            out += '?';
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return result;
}

void SqlParam::setAsString(const std::string& value)
{
    dataType_ = DataType::String;
    value_ = Variant(value);
}

void SqlParam::setAsFloat(double value)
{
    dataType_ = DataType::Float;
    value_ = Variant(value);
}

void SqlParam::clear()
{
    value_ = Variant();
}

DbxParam SqlParam::toDbx() const
{
    if (value_.isNull())
        return {};
    if (dataType_ == DataType::Float)
        return DbxParam::fromDouble(value_.asDouble());
    return DbxParam::fromText(value_.asString());
}
