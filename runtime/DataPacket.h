#pragma once
// A whole table in memory: field descriptions and rows of values. It is what a provider
// hands a client dataset, what a SELECT is buffered into, and what the dataset files hold.

#include "Variant.h"

#include <string>
#include <vector>

enum class FieldType {
    String,   // CP950 text; size = maximum length in bytes
    Integer,  // 32-bit or smaller integer column
    LargeInt, // 64-bit integer column
    Float,    // double
    Date,     // double: days since 1899-12-30
    DateTime, // double: days since 1899-12-30, fraction = time of day
    Memo,     // text blob (CP950 bytes)
    Blob      // binary blob
};

struct FieldDesc {
    std::string name; // CP950 bytes, as the server names the column
    FieldType type = FieldType::String;
    int size = 0;     // bytes for String; 0 for the others
    bool required = false;

    bool operator==(const FieldDesc&) const = default;
};

using DataRow = std::vector<Variant>;

struct DataPacket {
    std::vector<FieldDesc> fields;
    std::vector<DataRow> rows;

    // Index of the field with this name (exact match, then without regard to ASCII case), or -1.
    int indexOf(const std::string& name) const;

    bool operator==(const DataPacket&) const = default;
};

const char* fieldTypeName(FieldType type);
