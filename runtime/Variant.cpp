#include "Variant.h"

#include "Exception.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
[[noreturn]] void castError(Variant::Type from, Variant::Type to)
{
    throw EVariantTypeCastError(formatMessage("Could not convert variant of type (%s) into type (%s)",
                                              Variant::typeName(from), Variant::typeName(to)));
}

// Shortest text that reads back as the same double, without exponent for ordinary values.
std::string doubleToText(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return buffer;
    }
    char buffer[40];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
        if (std::strtod(buffer, nullptr) == value)
            break;
    }
    return buffer;
}
}

const char* Variant::typeName(Type type)
{
    switch (type) {
    case Type::Null: return "Null";
    case Type::String: return "String";
    case Type::Integer: return "Int64";
    case Type::Double: return "Double";
    }
    return "Unknown";
}

std::string Variant::asString() const
{
    switch (type()) {
    case Type::Null: castError(Type::Null, Type::String);
    case Type::String: return std::get<std::string>(value_);
    case Type::Integer: return std::to_string(std::get<int64_t>(value_));
    case Type::Double: return doubleToText(std::get<double>(value_));
    }
    return {};
}

double Variant::asDouble() const
{
    switch (type()) {
    case Type::Null: castError(Type::Null, Type::Double);
    case Type::String: {
        const std::string& text = std::get<std::string>(value_);
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        while (end && (*end == ' ' || *end == '\t'))
            ++end;
        if (text.empty() || !end || *end != '\0')
            castError(Type::String, Type::Double);
        return value;
    }
    case Type::Integer: return static_cast<double>(std::get<int64_t>(value_));
    case Type::Double: return std::get<double>(value_);
    }
    return 0;
}

int64_t Variant::asInteger() const
{
    switch (type()) {
    case Type::Null: castError(Type::Null, Type::Integer);
    case Type::String: {
        const std::string& text = std::get<std::string>(value_);
        char* end = nullptr;
        long long value = std::strtoll(text.c_str(), &end, 10);
        if (text.empty() || !end || *end != '\0')
            castError(Type::String, Type::Integer);
        return value;
    }
    case Type::Integer: return std::get<int64_t>(value_);
    case Type::Double: return static_cast<int64_t>(std::nearbyint(std::get<double>(value_)));
    }
    return 0;
}
