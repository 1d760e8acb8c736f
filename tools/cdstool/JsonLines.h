#pragma once
// Dataset contents as JSON Lines: one line describing the fields, then one object per row.

#include "DataPacket.h"

#include <string>

namespace JsonLines {

// {"fields":[{"name":...,"type":...,"size":...},...]}
std::string fieldsLine(const DataPacket& packet);
// {"NAME":value,...} in field order: text decoded from CP950, numbers as numbers, null as
// null, blobs as base64 text. Non-finite numbers have no JSON form and are written as null.
std::string rowLine(const DataPacket& packet, const DataRow& row);

// A JSON string literal, quotes included, of UTF-8 text.
std::string quote(const std::string& utf8);

}
