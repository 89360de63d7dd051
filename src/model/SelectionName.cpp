#include "model/SelectionName.h"

#include "model/ControlIds.h"

#include <cstdio>

namespace {
constexpr const char* kRowNumberFormat = "%02i";
constexpr const char* kBetween = " – ";
}  // namespace

std::string SelectionName(int row, const std::string& goods, int column, const std::string& name) {
    char number[8];
    std::snprintf(number, sizeof number, kRowNumberFormat, row + 1);
    std::string text = number;
    if (!goods.empty()) text += " " + goods;
    text += kBetween;
    text += ids::ColumnLetter(column);
    if (!name.empty()) text += " " + name;
    return text;
}
