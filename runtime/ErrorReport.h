#pragma once
// The texts of the two error reports, kept apart from the message boxes so they can be tested.

#include <cstdint>
#include <exception>
#include <string>

namespace ErrorReport {

// What an error report needs to know about a caught exception.
struct ErrorInfo {
    std::string className;   // "EConvertError"; a standard exception's type name; "Exception"
    std::string message;     // UTF-8
    const void* address = nullptr;  // where it was raised, when known
    bool silent = false;     // the silent abort (EAbort and its descendants)
};

// Describes the exception held by `error`; never throws.
ErrorInfo describe(const std::exception_ptr& error) noexcept;

// The running handlers' rule: a period is added when the message's last character sorts
// after "." ("abc" gets one; "abc." and "abc!" do not; an empty message stays empty).
std::string withHandlerPeriod(const std::string& message);

// The module an address lies in, and the address relative to that module's base. When the
// address is unknown or in no loaded module, the executable's file name and the address
// itself are used.
struct CodeLocation {
    std::string moduleFileName;  // file name only, no directory
    std::uintptr_t offset = 0;
};
CodeLocation locate(const void* address);

// The address as the report prints it: all 16 hexadecimal digits of a 64-bit pointer (8 on
// a 32-bit build), upper case, no prefix, e.g. "00000000000A1B2C".
std::string formatAddress(std::uintptr_t address);

// The start-up failure report's text:
//   "Exception %s in module %s at %p.\r\n%s%s\r\n"
// class name, module file name, address, message, and "." only when the message does not
// already end in a period.
std::string startupFailureText(const std::string& className, const std::string& moduleFileName,
                               std::uintptr_t offset, const std::string& message);

// The caption of the start-up failure report.
inline constexpr const char* StartupFailureCaption = "Application Error";

}
