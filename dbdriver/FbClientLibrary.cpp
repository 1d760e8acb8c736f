#include "FbClientLibrary.h"

#include <dlfcn.h>

namespace {
template <typename Function>
bool resolve(void* handle, const char* name, Function& target)
{
    target = reinterpret_cast<Function>(dlsym(handle, name));
    return target != nullptr;
}
}

FbClientLibrary::FbClientLibrary(const std::string& path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_)
        return;
    loaded_ = resolve(handle_, "isc_attach_database", attachDatabase)
        && resolve(handle_, "isc_detach_database", detachDatabase)
        && resolve(handle_, "isc_start_multiple", startMultiple)
        && resolve(handle_, "isc_commit_transaction", commitTransaction)
        && resolve(handle_, "isc_rollback_transaction", rollbackTransaction)
        && resolve(handle_, "isc_dsql_allocate_statement", allocateStatement)
        && resolve(handle_, "isc_dsql_prepare", prepare)
        && resolve(handle_, "isc_dsql_describe", describe)
        && resolve(handle_, "isc_dsql_describe_bind", describeBind)
        && resolve(handle_, "isc_dsql_execute", execute)
        && resolve(handle_, "isc_dsql_execute2", execute2)
        && resolve(handle_, "isc_dsql_execute_immediate", executeImmediate)
        && resolve(handle_, "isc_dsql_fetch", fetch)
        && resolve(handle_, "isc_dsql_free_statement", freeStatement)
        && resolve(handle_, "isc_dsql_sql_info", sqlInfo)
        && resolve(handle_, "isc_open_blob2", openBlob)
        && resolve(handle_, "isc_get_segment", getSegment)
        && resolve(handle_, "isc_close_blob", closeBlob)
        && resolve(handle_, "fb_interpret", interpret)
        && resolve(handle_, "fb_ping", ping);
}

FbClientLibrary::~FbClientLibrary()
{
    // The client library keeps threads and atexit handlers of its own; unloading it while
    // they may still run crashes at exit, so it stays mapped once it has been loaded.
}

std::string FbClientLibrary::errorText(const ISC_STATUS* status) const
{
    std::string text;
    const ISC_STATUS* cursor = status;
    char line[1024];
    while (interpret(line, sizeof line, &cursor) > 0) {
        if (!text.empty())
            text += '\n';
        text += line;
    }
    if (text.empty())
        text = "Unknown database error " + std::to_string(status[1]);
    return text;
}
