#pragma once
// A field of a dataset: one column, read and written on the dataset's active record.

#include "DataPacket.h"
#include "Variant.h"

#include <string>

class TDataSet;

class TField {
public:
    TField(TDataSet* dataSet, const FieldDesc& desc);

    TDataSet* dataSet() const { return dataSet_; }
    const std::string& fieldName() const { return desc_.name; }
    // The field name; a field nested in an object field would give its dotted path.
    const std::string& fullName() const { return desc_.name; }
    FieldType dataType() const { return desc_.type; }
    int size() const { return desc_.size; }
    bool required() const { return desc_.required; }
    void setRequired(bool required) { desc_.required = required; }
    const FieldDesc& desc() const { return desc_; }
    // Position in the dataset's field list.
    int index() const;

    // The label as declared (empty when none); displayName() falls back to the field name.
    const std::string& displayLabel() const { return displayLabel_; }
    void setDisplayLabel(const std::string& label);
    const std::string& displayName() const { return displayLabel_.empty() ? desc_.name : displayLabel_; }

    // In characters. Until set: the size for strings, a type-dependent width otherwise.
    int displayWidth() const;
    void setDisplayWidth(int width);
    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // The value on the dataset's active record; null without one.
    Variant value() const;
    bool isNull() const { return value().isNull(); }
    // Text of the value; empty for a null.
    std::string asString() const;
    double asFloat() const { return value().asDouble(); }
    int64_t asInteger() const { return value().asInteger(); }
    std::string displayText() const { return asString(); }

    // Stores a value in the record being edited or inserted (EDatabaseError otherwise).
    // Text for a string field longer than size() bytes is cut to size() bytes, keeping whole
    // Big5 characters. Text for a number field must read as a number (EConvertError).
    void setValue(const Variant& value);
    void setAsString(const std::string& text) { setValue(Variant(text)); }
    void clear() { setValue(Variant()); }

    // Converts a value to what this field stores (used by setValue and when rows arrive).
    Variant coerce(const Variant& value) const;

private:
    TDataSet* dataSet_;
    FieldDesc desc_;
    std::string displayLabel_;
    int displayWidth_ = -1;
    bool visible_ = true;
};
