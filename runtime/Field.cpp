#include "Field.h"

#include "DataSet.h"
#include "Exception.h"
#include "TextCodec.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

TField::TField(TDataSet* dataSet, const FieldDesc& desc) : dataSet_(dataSet), desc_(desc) {}

int TField::index() const
{
    for (int i = 0; i < dataSet_->fieldCount(); ++i)
        if (dataSet_->field(i) == this)
            return i;
    return -1;
}

void TField::setDisplayLabel(const std::string& label)
{
    if (label == displayLabel_)
        return;
    displayLabel_ = label;
    dataSet_->fieldLayoutChanged();
}

int TField::displayWidth() const
{
    if (displayWidth_ >= 0)
        return displayWidth_;
    switch (desc_.type) {
    case FieldType::String: return desc_.size;
    case FieldType::Integer: return 10;
    case FieldType::LargeInt: return 15;
    case FieldType::Float: return 10;
    case FieldType::Date: return 10;
    case FieldType::DateTime: return 18;
    case FieldType::Memo:
    case FieldType::Blob: return 10;
    }
    return 10;
}

void TField::setDisplayWidth(int width)
{
    if (width == displayWidth())
        return;
    displayWidth_ = width < 0 ? 0 : width;
    dataSet_->fieldLayoutChanged();
}

void TField::setVisible(bool visible)
{
    if (visible == visible_)
        return;
    visible_ = visible;
    dataSet_->fieldLayoutChanged();
}

Variant TField::value() const
{
    int i = index();
    return i < 0 ? Variant() : dataSet_->activeValue(i);
}

std::string TField::asString() const
{
    Variant v = value();
    return v.isNull() ? std::string() : v.asString();
}

Variant TField::coerce(const Variant& value) const
{
    if (value.isNull())
        return value;
    switch (desc_.type) {
    case FieldType::String:
        // Whole Big5 characters only: half a double-byte character would corrupt the text.
        return Variant(desc_.size > 0 ? TextCodec::truncateCp950(value.asString(), size_t(desc_.size))
                                      : value.asString());
    case FieldType::Memo:
    case FieldType::Blob:
        return Variant(value.asString());
    case FieldType::Integer:
    case FieldType::LargeInt: {
        if (value.type() == Variant::Type::String) {
            const std::string text = value.asString();
            char* end = nullptr;
            errno = 0;
            long long number = std::strtoll(text.c_str(), &end, 10);
            if (text.empty() || *end != '\0' || errno == ERANGE)
                throw EConvertError(formatMessage(Msg::InvalidInteger, text));
            return Variant(int64_t(number));
        }
        return Variant(value.asInteger());
    }
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::DateTime: {
        if (value.type() == Variant::Type::String) {
            const std::string text = value.asString();
            char* end = nullptr;
            double number = std::strtod(text.c_str(), &end);
            if (text.empty() || *end != '\0')
                throw EConvertError(formatMessage("'%s' is not a valid floating point value", text));
            return Variant(number);
        }
        return Variant(value.asDouble());
    }
    }
    return value;
}

void TField::setValue(const Variant& value)
{
    dataSet_->setActiveValue(this, coerce(value));
}
