#pragma once
// A column or field value as the data layer hands it around: null, text (CP950 bytes),
// an integer or a double. Reading a null as text or double fails with the system's
// conversion message ("Could not convert variant of type (Null) into type (String)").

#include <cstdint>
#include <string>
#include <variant>

class Variant {
public:
    enum class Type { Null, String, Integer, Double };

    Variant() = default;
    Variant(std::string text) : value_(std::move(text)) {}
    Variant(const char* text) : value_(std::string(text)) {}
    Variant(int64_t number) : value_(number) {}
    Variant(int number) : value_(int64_t(number)) {}
    Variant(double number) : value_(number) {}

    static Variant null() { return Variant(); }

    Type type() const { return static_cast<Type>(value_.index()); }
    bool isNull() const { return type() == Type::Null; }

    // Conversions; each throws EVariantTypeCastError for a null, and EConvertError for text
    // that is not a number when a number is asked for.
    std::string asString() const;
    double asDouble() const;
    int64_t asInteger() const;

    // The type names used by the conversion message: "Null", "String", "Int64", "Double".
    static const char* typeName(Type type);

    bool operator==(const Variant& other) const = default;

private:
    std::variant<std::monostate, std::string, int64_t, double> value_;
};
