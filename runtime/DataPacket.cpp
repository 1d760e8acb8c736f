#include "DataPacket.h"

#include <strings.h>

int DataPacket::indexOf(const std::string& name) const
{
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].name == name)
            return static_cast<int>(i);
    for (size_t i = 0; i < fields.size(); ++i)
        if (strcasecmp(fields[i].name.c_str(), name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

const char* fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::String: return "string";
    case FieldType::Integer: return "integer";
    case FieldType::LargeInt: return "largeint";
    case FieldType::Float: return "float";
    case FieldType::Date: return "date";
    case FieldType::DateTime: return "datetime";
    case FieldType::Memo: return "memo";
    case FieldType::Blob: return "blob";
    }
    return "unknown";
}
