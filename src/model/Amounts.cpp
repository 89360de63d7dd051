#include "model/Amounts.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number starts with a digit, or a decimal point followed by one. The
// words that from_chars also reads ("inf", "nan", "Infinity") are no
// number to a price list.
bool StartsNumber(std::string_view text) {
    if (text.empty()) return false;
    if (IsDigit(text[0])) return true;
    return text[0] == '.' && text.size() > 1 && IsDigit(text[1]);
}

}  // namespace

double ParseAmount(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (!StartsNumber(text.substr(i))) return 0.0;
    double value = 0.0;
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // atof gives HUGE_VAL for a number too large and 0 for one too small.
        const std::string_view number(first, static_cast<size_t>(ptr - first));
        const size_t e = number.find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : HUGE_VAL;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

bool CountsAsWritten(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
    if (text.empty()) return true;
    std::string_view number = text;
    if (number[0] == '+' || number[0] == '-') number.remove_prefix(1);
    if (!StartsNumber(number)) return false;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    return ptr == number.data() + number.size() && (ec == std::errc() || ec == std::errc::result_out_of_range);
}

std::string FormatAmount(double value) {
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof buffer, "%.2f", value);
    if (n <= 0) return "0.00";
    return std::string(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
}
