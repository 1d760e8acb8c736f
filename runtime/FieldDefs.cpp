#include "FieldDefs.h"

#include "Exception.h"

#include <strings.h>

TFieldDef& TFieldDefs::add(const std::string& name, FieldType dataType, int size, bool required)
{
    if (name.empty())
        throw EDatabaseError("Field name missing");
    if (indexOf(name) >= 0)
        throw EDatabaseError(formatMessage("Duplicate field name '%s'", name));
    if (size < 0)
        throw EDatabaseError(formatMessage("Invalid size for field '%s'", name));
    defs_.push_back({name, dataType, size, required});
    return defs_.back();
}

int TFieldDefs::indexOf(const std::string& name) const
{
    for (size_t i = 0; i < defs_.size(); ++i)
        if (strcasecmp(defs_[i].Name.c_str(), name.c_str()) == 0)
            return static_cast<int>(i);
    return -1;
}

std::vector<FieldDesc> TFieldDefs::toFieldDescs() const
{
    std::vector<FieldDesc> out;
    for (const TFieldDef& d : defs_)
        out.push_back({d.Name, d.DataType, d.Size, d.Required});
    return out;
}

void TFieldDefs::assign(const std::vector<FieldDesc>& descs)
{
    defs_.clear();
    for (const FieldDesc& d : descs)
        defs_.push_back({d.name, d.type, d.size, d.required});
}
