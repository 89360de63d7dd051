#pragma once
#include <cstdarg>
#include <cstdio>
#include <string>

namespace dialogkit {

// printf-style formatting into a string of whatever length it needs.
inline std::string Format(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));

inline std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (n > 0) {
        out.resize(static_cast<size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, args);
        out.resize(static_cast<size_t>(n));
    }
    va_end(args);
    return out;
}

}  // namespace dialogkit
