#pragma once
// Field definitions of a client dataset built in memory: define each field once, then
// create the dataset from them.

#include "DataPacket.h"

#include <string>
#include <vector>

struct TFieldDef {
    std::string Name; // CP950 bytes
    FieldType DataType = FieldType::String;
    int Size = 0;     // bytes, for strings
    bool Required = false;
};

class TFieldDefs {
public:
    // Fails with EDatabaseError for an empty or duplicate name or a negative size.
    TFieldDef& add(const std::string& name, FieldType dataType, int size = 0, bool required = false);
    void clear() { defs_.clear(); }

    int count() const { return static_cast<int>(defs_.size()); }
    const TFieldDef& operator[](int index) const { return defs_.at(static_cast<size_t>(index)); }
    // The index of the definition of that name (case-insensitive), or -1.
    int indexOf(const std::string& name) const;

    std::vector<FieldDesc> toFieldDescs() const;
    void assign(const std::vector<FieldDesc>& descs);

private:
    std::vector<TFieldDef> defs_;
};
