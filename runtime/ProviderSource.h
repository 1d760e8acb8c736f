#pragma once
// What a provider (TDataSetProvider) asks of its source dataset: run a statement (the
// client's CommandText, or the source's own statement when that is empty) and hand back
// every row. The SQL query objects and the SQL dataset implement it.

#include "DataPacket.h"

#include <string>

class IProviderSource {
public:
    virtual ~IProviderSource() = default;
    // commandText empty: the source's own statement. Errors are thrown (EDatabaseError etc.).
    virtual DataPacket providerFetch(const std::string& commandText) = 0;
};
