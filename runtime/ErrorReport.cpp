#include "ErrorReport.h"

#include "Exception.h"

#include <cinttypes>
#include <cstdio>
#include <cxxabi.h>
#include <dlfcn.h>
#include <memory>
#include <typeinfo>
#include <unistd.h>

namespace ErrorReport {

namespace {

std::string demangle(const char* name)
{
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> readable(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return (status == 0 && readable) ? std::string(readable.get()) : std::string(name);
}

std::string fileNameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string executableFileName()
{
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0)
        return "cust_prod";
    return fileNameOf(std::string(buffer, static_cast<size_t>(n)));
}

}

ErrorInfo describe(const std::exception_ptr& error) noexcept
{
    ErrorInfo info;
    try {
        try {
            std::rethrow_exception(error);
        } catch (const EAbort& e) {
            info = {e.className(), e.message(), e.address(), true};
        } catch (const Exception& e) {
            info = {e.className(), e.message(), e.address(), false};
        } catch (const std::exception& e) {
            info = {demangle(typeid(e).name()), e.what(), nullptr, false};
        } catch (...) {
            info = {"Exception", "Unknown exception", nullptr, false};
        }
    } catch (...) {
        // Building the description itself failed (no memory): report what we can.
        info.silent = false;
    }
    return info;
}

std::string withHandlerPeriod(const std::string& message)
{
    // UTF-8 lead and continuation bytes are all above '.', as is every non-ASCII character.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + '.';
    return message;
}

CodeLocation locate(const void* address)
{
    Dl_info dlInfo{};
    if (address && ::dladdr(address, &dlInfo) && dlInfo.dli_fname && dlInfo.dli_fbase) {
        std::string module = fileNameOf(dlInfo.dli_fname);
        if (module.empty())
            module = executableFileName();
        return {module, reinterpret_cast<std::uintptr_t>(address)
                            - reinterpret_cast<std::uintptr_t>(dlInfo.dli_fbase)};
    }
    return {executableFileName(), reinterpret_cast<std::uintptr_t>(address)};
}

std::string formatAddress(std::uintptr_t address)
{
    char buffer[2 * sizeof(std::uintptr_t) + 1];
    std::snprintf(buffer, sizeof buffer, "%0*" PRIXPTR, static_cast<int>(2 * sizeof(std::uintptr_t)),
                  address);
    return buffer;
}

std::string startupFailureText(const std::string& className, const std::string& moduleFileName,
                               std::uintptr_t offset, const std::string& message)
{
    const bool endsInPeriod = !message.empty() && message.back() == '.';
    std::string text = "Exception " + className + " in module " + moduleFileName + " at "
                     + formatAddress(offset) + ".\r\n" + message + (endsInPeriod ? "" : ".")
                     + "\r\n";
    return text;
}

}
