#pragma once
// The database client library (libfbclient.so.2), loaded with dlopen and reached through
// function pointers: neither the program nor the driver links against it, so the program
// starts on machines without it and reports "Unable to Load ..." instead.

#include <ibase.h>

#include <string>

class FbClientLibrary {
public:
    // Loads the library and every function the driver uses; loaded() tells whether all of it
    // was found.
    explicit FbClientLibrary(const std::string& path);
    ~FbClientLibrary();
    FbClientLibrary(const FbClientLibrary&) = delete;
    FbClientLibrary& operator=(const FbClientLibrary&) = delete;

    bool loaded() const { return loaded_; }

    // The status vector's messages as the server wrote them, one per line.
    std::string errorText(const ISC_STATUS* status) const;

    decltype(&::isc_attach_database) attachDatabase = nullptr;
    decltype(&::isc_detach_database) detachDatabase = nullptr;
    decltype(&::isc_start_multiple) startMultiple = nullptr;
    decltype(&::isc_commit_transaction) commitTransaction = nullptr;
    decltype(&::isc_rollback_transaction) rollbackTransaction = nullptr;
    decltype(&::isc_dsql_allocate_statement) allocateStatement = nullptr;
    decltype(&::isc_dsql_prepare) prepare = nullptr;
    decltype(&::isc_dsql_describe) describe = nullptr;
    decltype(&::isc_dsql_describe_bind) describeBind = nullptr;
    decltype(&::isc_dsql_execute) execute = nullptr;
    decltype(&::isc_dsql_execute2) execute2 = nullptr;
    decltype(&::isc_dsql_execute_immediate) executeImmediate = nullptr;
    decltype(&::isc_dsql_fetch) fetch = nullptr;
    decltype(&::isc_dsql_free_statement) freeStatement = nullptr;
    decltype(&::isc_dsql_sql_info) sqlInfo = nullptr;
    decltype(&::isc_open_blob2) openBlob = nullptr;
    decltype(&::isc_get_segment) getSegment = nullptr;
    decltype(&::isc_close_blob) closeBlob = nullptr;
    decltype(&::fb_interpret) interpret = nullptr;
    decltype(&::fb_ping) ping = nullptr;

private:
    void* handle_ = nullptr;
    bool loaded_ = false;
};
