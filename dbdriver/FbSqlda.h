#pragma once
// An XSQLDA with the buffers it points at: the server's description of a statement's columns
// or parameters, the binding of parameter values and the conversion of fetched rows.

#include "DataPacket.h"
#include "DbxDriverApi.h"

#include <ibase.h>

#include <memory>
#include <string>
#include <vector>

class FbClientLibrary;

class FbSqlda {
public:
    explicit FbSqlda(int capacity = 8);

    XSQLDA* get() { return sqlda_.get(); }
    int count() const { return sqlda_->sqld; }
    // Whether the server needs more entries than there is room for (describe again after resize).
    bool needsResize() const { return sqlda_->sqld > sqlda_->sqln; }
    void resize(int capacity);

    // Output columns: allocates a buffer for every column the server described.
    void allocateColumns();
    std::vector<FieldDesc> fieldDescs(bool trimChar) const;

    // Input parameters: points every described parameter at its value, typed as the value is
    // (text as CHAR with its byte length, doubles as DOUBLE PRECISION, or null).
    // Returns false with a message when the values do not fit the statement.
    bool bind(const DbxParams& params, std::string& error);

    struct BlobReader {
        const FbClientLibrary* client;
        isc_db_handle* db;
        isc_tr_handle* tr;
        long long maxBytes; // < 0: whole blob
    };
    // The current row's values (after a fetch); blobs are read through `blobs`.
    bool readRow(DataRow& row, bool trimChar, const BlobReader& blobs, std::string& error);

private:
    struct Deleter {
        void operator()(XSQLDA* p) const { ::operator delete(p); }
    };
    std::unique_ptr<XSQLDA, Deleter> sqlda_;
    std::vector<std::vector<char>> buffers_;
    std::vector<short> indicators_;
};
