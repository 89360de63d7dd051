#pragma once
// The list as a spreadsheet sees it and a spreadsheet's range as the list
// takes it: plain texts, apart from any window or clipboard.
#include "model/ControlIds.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace clipboard {

// The user's number form: decimal and thousands separator.
struct NumberForm {
    char decimal = '.';
    char thousands = ',';
};

// A price or sum in the list's form ("-1234.5") written with the user's
// decimal separator ("-1234,5"); any other text stays as it is.
std::string ToUserNumber(std::string_view text, const NumberForm& form);
// A number in the user's form, thousands separators included ("1.234,50"),
// in the list's form ("1234.50"); any other text stays as it is.
std::string FromUserNumber(std::string_view text, const NumberForm& form);

struct TableRow {
    std::string goods;
    std::string price;
    std::array<bool, ids::kColumns> on{};
};

// What the list shows, as texts.
struct ListTable {
    std::array<std::string, ids::kColumns> names;
    std::array<TableRow, ids::kRows> rows;
    std::array<std::string, ids::kColumns> sums;
    std::string total;
};

// The table's cells, line by line: a header, the rows, "Summe" and
// "Insgesammt", numbers in the user's form.
std::vector<std::vector<std::string>> TableCells(const ListTable& list, const NumberForm& form);
// Cells joined by tabs, lines ended by CR LF.
std::string TableText(const std::vector<std::vector<std::string>>& cells);
// An HTML table of the cells (UTF-8 in, UTF-8 out).
std::string TableHtml(const std::vector<std::vector<std::string>>& cells);
// The clipboard's "HTML Format" around an HTML fragment: the header whose
// byte offsets name the document and the fragment.
std::string HtmlClipboard(std::string_view fragment);

// A pasted text split into lines of cells: tabs between cells, CR LF or LF
// between lines, a cell in double quotes may hold tabs, line breaks and
// doubled quotes. A last line break ends the last line, no empty one.
std::vector<std::vector<std::string>> SplitRange(std::string_view text);
// Whether a paste is a range rather than one text for the edit.
bool IsRange(std::string_view text);

// One row filled by a paste.
struct PastedRow {
    int row = 0;
    bool setGoods = false;
    std::string goods;
    std::string price;
    bool setPrice = false;
};
struct PastePlan {
    std::vector<PastedRow> rows;
    int linesPasted = 0;
    int lines = 0;
};
// Fills the rows from startRow down, passing over linked ones: the first
// column into goods and the second into prices, or, pasted into a price,
// the first into prices. Numbers come into the list's form.
PastePlan PlanPaste(const std::vector<std::vector<std::string>>& lines, int startRow, bool intoPrice,
                    const std::array<bool, ids::kRows>& linked, const NumberForm& form);

}  // namespace clipboard
