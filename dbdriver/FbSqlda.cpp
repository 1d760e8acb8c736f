#include "FbSqlda.h"

#include "FbClientLibrary.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace {
// ISC dates count days from 1858-11-17; the data layer counts from 1899-12-30.
constexpr double kDateOffset = 15018.0;
constexpr double kTimeUnitsPerDay = 86400.0 * ISC_TIME_SECONDS_PRECISION;

double scaled(int64_t value, short scale)
{
    return static_cast<double>(value) * std::pow(10.0, scale);
}

FieldType fieldTypeOf(const XSQLVAR& var)
{
    switch (var.sqltype & ~1) {
    case SQL_TEXT:
    case SQL_VARYING: return FieldType::String;
    case SQL_SHORT:
    case SQL_LONG: return var.sqlscale ? FieldType::Float : FieldType::Integer;
    case SQL_INT64: return var.sqlscale ? FieldType::Float : FieldType::LargeInt;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT: return FieldType::Float;
    case SQL_TYPE_DATE: return FieldType::Date;
    case SQL_TYPE_TIME:
    case SQL_TIMESTAMP: return FieldType::DateTime;
    case SQL_BLOB: return var.sqlsubtype == 1 ? FieldType::Memo : FieldType::Blob;
    case SQL_BOOLEAN: return FieldType::Integer;
    default: return FieldType::Blob;
    }
}

bool readBlob(ISC_QUAD id, const FbSqlda::BlobReader& reader, std::string& out, std::string& error)
{
    ISC_STATUS_ARRAY status{};
    isc_blob_handle blob = 0;
    if (reader.client->openBlob(status, reader.db, reader.tr, &blob, &id, 0, nullptr)) {
        error = reader.client->errorText(status);
        return false;
    }
    out.clear();
    char segment[32768];
    for (;;) {
        unsigned short length = 0;
        ISC_STATUS result = reader.client->getSegment(status, &blob, &length, sizeof segment, segment);
        if (result && status[1] != isc_segment)
            break;
        out.append(segment, length);
        if (reader.maxBytes >= 0 && static_cast<long long>(out.size()) >= reader.maxBytes) {
            out.resize(static_cast<size_t>(reader.maxBytes));
            break;
        }
    }
    bool ok = status[1] == 0 || status[1] == isc_segment || status[1] == isc_segstr_eof
        || (reader.maxBytes >= 0 && static_cast<long long>(out.size()) >= reader.maxBytes);
    if (!ok)
        error = reader.client->errorText(status);
    ISC_STATUS_ARRAY closeStatus{};
    reader.client->closeBlob(closeStatus, &blob);
    return ok;
}
}

FbSqlda::FbSqlda(int capacity)
{
    resize(capacity);
}

void FbSqlda::resize(int capacity)
{
    if (capacity < 1)
        capacity = 1;
    auto* raw = static_cast<XSQLDA*>(::operator new(XSQLDA_LENGTH(capacity)));
    std::memset(raw, 0, XSQLDA_LENGTH(capacity));
    raw->version = SQLDA_VERSION1;
    raw->sqln = static_cast<ISC_SHORT>(capacity);
    sqlda_.reset(raw);
    buffers_.clear();
    indicators_.clear();
}

void FbSqlda::allocateColumns()
{
    const int n = count();
    buffers_.assign(n, {});
    indicators_.assign(n, 0);
    for (int i = 0; i < n; ++i) {
        XSQLVAR& var = sqlda_->sqlvar[i];
        size_t size = var.sqllen;
        if ((var.sqltype & ~1) == SQL_VARYING)
            size += sizeof(short);
        // Room for any scalar type, aligned for the widest one.
        buffers_[i].assign(std::max<size_t>(size, sizeof(double)) + 8, 0);
        var.sqldata = buffers_[i].data();
        var.sqlind = &indicators_[i];
    }
}

std::vector<FieldDesc> FbSqlda::fieldDescs(bool) const
{
    std::vector<FieldDesc> fields;
    fields.reserve(count());
    for (int i = 0; i < count(); ++i) {
        const XSQLVAR& var = sqlda_->sqlvar[i];
        FieldDesc field;
        field.name.assign(var.aliasname, var.aliasname_length);
        field.type = fieldTypeOf(var);
        field.size = field.type == FieldType::String ? var.sqllen : 0;
        field.required = (var.sqltype & 1) == 0;
        fields.push_back(std::move(field));
    }
    return fields;
}

bool FbSqlda::bind(const DbxParams& params, std::string& error)
{
    const int n = count();
    if (static_cast<int>(params.size()) != n) {
        error = "The statement has " + std::to_string(n) + " parameters but "
            + std::to_string(params.size()) + " values were given";
        return false;
    }
    indicators_.assign(n, 0);
    buffers_.assign(n, {});
    for (int i = 0; i < n; ++i) {
        XSQLVAR& var = sqlda_->sqlvar[i];
        const DbxParam& param = params[i];
        var.sqlind = &indicators_[i];
        var.sqlscale = 0;
        var.sqlsubtype = 0;
        switch (param.kind) {
        case DbxParam::Kind::Null:
            indicators_[i] = -1;
            var.sqltype = SQL_TEXT | 1;
            var.sqllen = 0;
            buffers_[i].assign(1, 0);
            var.sqldata = buffers_[i].data();
            break;
        case DbxParam::Kind::Text:
            if (param.text.size() > static_cast<size_t>(std::numeric_limits<ISC_SHORT>::max())) {
                error = "Parameter value of " + std::to_string(param.text.size())
                    + " bytes is too long (32767 at most)";
                return false;
            }
            var.sqltype = SQL_TEXT | 1;
            var.sqllen = static_cast<ISC_SHORT>(param.text.size());
            buffers_[i].assign(param.text.begin(), param.text.end());
            buffers_[i].push_back(0);
            var.sqldata = buffers_[i].data();
            break;
        case DbxParam::Kind::Double:
            var.sqltype = SQL_DOUBLE | 1;
            var.sqllen = sizeof(double);
            buffers_[i].assign(sizeof(double), 0);
            std::memcpy(buffers_[i].data(), &param.number, sizeof(double));
            var.sqldata = buffers_[i].data();
            break;
        }
    }
    return true;
}

bool FbSqlda::readRow(DataRow& row, bool trimChar, const BlobReader& blobs, std::string& error)
{
    const int n = count();
    row.clear();
    row.reserve(n);
    for (int i = 0; i < n; ++i) {
        const XSQLVAR& var = sqlda_->sqlvar[i];
        if ((var.sqltype & 1) && *var.sqlind < 0) {
            row.emplace_back();
            continue;
        }
        const char* data = var.sqldata;
        auto load = [data](auto& value) { std::memcpy(&value, data, sizeof value); };
        switch (var.sqltype & ~1) {
        case SQL_TEXT: {
            std::string text(data, var.sqllen);
            if (trimChar) {
                size_t end = text.find_last_not_of(' ');
                text.resize(end == std::string::npos ? 0 : end + 1);
            }
            row.emplace_back(std::move(text));
            break;
        }
        case SQL_VARYING: {
            short length = 0;
            load(length);
            row.emplace_back(std::string(data + sizeof(short), static_cast<size_t>(length)));
            break;
        }
        case SQL_SHORT: {
            short value = 0;
            load(value);
            row.push_back(var.sqlscale ? Variant(scaled(value, var.sqlscale)) : Variant(int64_t(value)));
            break;
        }
        case SQL_LONG: {
            ISC_LONG value = 0;
            load(value);
            row.push_back(var.sqlscale ? Variant(scaled(value, var.sqlscale)) : Variant(int64_t(value)));
            break;
        }
        case SQL_INT64: {
            ISC_INT64 value = 0;
            load(value);
            row.push_back(var.sqlscale ? Variant(scaled(value, var.sqlscale)) : Variant(int64_t(value)));
            break;
        }
        case SQL_FLOAT: {
            float value = 0;
            load(value);
            row.emplace_back(static_cast<double>(value));
            break;
        }
        case SQL_DOUBLE:
        case SQL_D_FLOAT: {
            double value = 0;
            load(value);
            row.emplace_back(value);
            break;
        }
        case SQL_TYPE_DATE: {
            ISC_DATE value = 0;
            load(value);
            row.emplace_back(static_cast<double>(value) - kDateOffset);
            break;
        }
        case SQL_TYPE_TIME: {
            ISC_TIME value = 0;
            load(value);
            row.emplace_back(static_cast<double>(value) / kTimeUnitsPerDay);
            break;
        }
        case SQL_TIMESTAMP: {
            ISC_TIMESTAMP value{};
            load(value);
            row.emplace_back(static_cast<double>(value.timestamp_date) - kDateOffset
                             + static_cast<double>(value.timestamp_time) / kTimeUnitsPerDay);
            break;
        }
        case SQL_BOOLEAN: {
            unsigned char value = 0;
            load(value);
            row.emplace_back(int64_t(value ? 1 : 0));
            break;
        }
        case SQL_BLOB: {
            ISC_QUAD id{};
            load(id);
            std::string bytes;
            if (!readBlob(id, blobs, bytes, error))
                return false;
            row.emplace_back(std::move(bytes));
            break;
        }
        default:
            error = "Unsupported column type " + std::to_string(var.sqltype & ~1) + " in column "
                + std::string(var.aliasname, var.aliasname_length);
            return false;
        }
    }
    return true;
}
