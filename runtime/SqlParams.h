#pragma once
// Named parameters of a statement text. Each colon followed by a name (":CUST_ID") is a
// parameter; the text sent to the server has "?" in its place. Colons inside quoted literals
// ('it''s: ok'), double-quoted identifiers and comments (-- to the end of the line, /* */)
// are not parameters, and "::" stands for one literal colon.

#include "Variant.h"
#include "DbxDriverApi.h"

#include <string>
#include <vector>

struct ParsedSql {
    std::string text;               // the statement with "?" for every parameter
    std::vector<std::string> names; // the parameter of each "?", in text order (may repeat)
};

ParsedSql parseSqlParams(const std::string& sql);

// A parameter of a query object, typed by how it was last set: text or double.
class SqlParam {
public:
    enum class DataType { Unknown, String, Float };

    explicit SqlParam(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }
    DataType dataType() const { return dataType_; }
    bool isNull() const { return value_.isNull(); }
    const Variant& value() const { return value_; }

    void setAsString(const std::string& value);
    void setAsFloat(double value);
    void clear();

    DbxParam toDbx() const;

private:
    std::string name_;
    DataType dataType_ = DataType::Unknown;
    Variant value_;
};
