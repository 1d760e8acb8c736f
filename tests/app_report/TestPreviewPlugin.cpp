// A stand-in for the preview plug-in: ShowForm appends one line to "showform.log" beside the
// library, telling which hand-off files existed when it was called. A file "showform.fail"
// beside it makes the call fail with an exception, as a broken preview would.
//
// Plain C library calls only: nothing here may keep the library loaded after dlclose.

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <stdexcept>
#include <unistd.h>

namespace {

void besideLibrary(char* out, size_t size, const char* name)
{
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&besideLibrary), &info);
    const char* path = info.dli_fname ? info.dli_fname : "";
    const char* slash = std::strrchr(path, '/');
    const int dirLength = slash ? static_cast<int>(slash - path) : 0;
    std::snprintf(out, size, "%.*s/%s", dirLength, path, name);
}

int exists(const char* name)
{
    char path[4096];
    besideLibrary(path, sizeof path, name);
    return access(path, F_OK) == 0 ? 1 : 0;
}

}

extern "C" __attribute__((visibility("default"))) void ShowForm()
{
    char log[4096];
    besideLibrary(log, sizeof log, "showform.log");
    if (FILE* file = std::fopen(log, "a")) {
        std::fprintf(file, "ShowForm temp.cds=%d temp2.cds=%d rpttemp.ini=%d\n", exists("temp.cds"),
                     exists("temp2.cds"), exists("rpttemp.ini"));
        std::fclose(file);
    }
    if (exists("showform.fail"))
        throw std::runtime_error("the preview failed");
}
