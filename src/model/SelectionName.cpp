#include "model/SelectionName.h"

#include "model/ControlIds.h"

#include <cstdio>

namespace {
constexpr const char* kRowNumberFormat = "%02i";
constexpr const char* kBetween = " – ";

// The dialog manager takes an "&" in a button's text as a mnemonic: doubled,
// a name never makes one, and a screen reader still reads a single "&".
std::string WithoutMnemonic(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}
}  // namespace

std::string SelectionName(int row, const std::string& goods, int column, const std::string& name) {
    char number[8];
    std::snprintf(number, sizeof number, kRowNumberFormat, row + 1);
    std::string text = number;
    if (!goods.empty()) text.append(" ").append(WithoutMnemonic(goods));
    text += kBetween;
    text += ids::ColumnLetter(column);
    if (!name.empty()) text.append(" ").append(WithoutMnemonic(name));
    return text;
}
