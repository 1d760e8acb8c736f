#include "Exception.h"

#include <cstdio>
#include <vector>

__attribute__((noinline)) Exception::Exception(std::string message)
    : message_(std::move(message)), address_(__builtin_return_address(0))
{
}

namespace {
// Replaces each "%s" of the template in turn; "%%" stands for a percent sign.
std::string substitute(const char* templ, const std::vector<const std::string*>& args)
{
    std::string out;
    size_t next = 0;
    for (const char* p = templ; *p; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            if (next < args.size())
                out += *args[next++];
            ++p;
        } else if (p[0] == '%' && p[1] == '%') {
            out += '%';
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}
}

std::string formatMessage(const char* templ, const std::string& arg)
{
    return substitute(templ, {&arg});
}

std::string formatMessage(const char* templ, const std::string& arg1, const std::string& arg2)
{
    return substitute(templ, {&arg1, &arg2});
}
