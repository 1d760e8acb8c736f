#pragma once
// Every failure of the system is an exception derived from Exception, which knows the class
// name that the error reports show ("Exception %s in module ..."). Messages are UTF-8.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message);
    ~Exception() override = default;

    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }
    void setMessage(std::string message) { message_ = std::move(message); }

    // The class name as the error reports print it, for example "EConvertError".
    virtual const char* className() const noexcept { return "Exception"; }

    // The code address at which the exception was raised (for the start-up failure report).
    const void* address() const noexcept { return address_; }

private:
    std::string message_;
    const void* address_ = nullptr;
};

#define CUSTPROD_DECLARE_EXCEPTION(Name, Base)                                       \
    class Name : public Base {                                                       \
    public:                                                                          \
        using Base::Base;                                                            \
        const char* className() const noexcept override { return #Name; }           \
    }

// The silent abort: stops a handler without any message being shown.
CUSTPROD_DECLARE_EXCEPTION(EAbort, Exception);
CUSTPROD_DECLARE_EXCEPTION(EConvertError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EVariantError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EVariantTypeCastError, EVariantError);
CUSTPROD_DECLARE_EXCEPTION(EStreamError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EFCreateError, EStreamError);
CUSTPROD_DECLARE_EXCEPTION(EFOpenError, EStreamError);
CUSTPROD_DECLARE_EXCEPTION(EReadError, EStreamError);
CUSTPROD_DECLARE_EXCEPTION(EInOutError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EDatabaseError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EDBClient, EDatabaseError);
CUSTPROD_DECLARE_EXCEPTION(ESQLError, EDatabaseError);
CUSTPROD_DECLARE_EXCEPTION(EIniFileException, Exception);
CUSTPROD_DECLARE_EXCEPTION(EDLLLoadError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
CUSTPROD_DECLARE_EXCEPTION(EOutOfResources, Exception);
CUSTPROD_DECLARE_EXCEPTION(EComponentError, Exception);
CUSTPROD_DECLARE_EXCEPTION(EInvalidOp, Exception);

// The runtime's message templates, shared by every part that raises them.
namespace Msg {
inline constexpr const char* InvalidDate = "'%s' is not a valid date";
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* VariantTypeCast = "Could not convert variant of type (%s) into type (%s)";
inline constexpr const char* CannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr const char* CannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr const char* FieldNotFound = "Field '%s' not found";
inline constexpr const char* ParameterNotFound = "Parameter '%s' not found";
inline constexpr const char* UnableToWrite = "Unable to write to %s";
inline constexpr const char* DuplicateComponentName = "A component named %s already exists";
inline constexpr const char* InvalidComponentName = "'%s' is not a valid component name";
}

// printf-style formatting of the system's message templates ("'%s' is not a valid date").
std::string formatMessage(const char* templ, const std::string& arg);
std::string formatMessage(const char* templ, const std::string& arg1, const std::string& arg2);
