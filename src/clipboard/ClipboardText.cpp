#include "clipboard/ClipboardText.h"

#include <cstdio>

namespace clipboard {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Digits, with separators between groups of three after the first one
// to three digits when a thousands separator is given.
bool IsDigitRun(std::string_view digits, char thousands) {
    if (digits.empty()) return false;
    size_t group = 0;
    bool grouped = false;
    for (size_t i = 0; i < digits.size(); ++i) {
        const char c = digits[i];
        if (IsDigit(c)) {
            ++group;
            continue;
        }
        const bool firstGroupOk = grouped ? group == 3 : (group >= 1 && group <= 3);
        if (thousands == 0 || c != thousands || !firstGroupOk) return false;
        grouped = true;
        group = 0;
    }
    return !grouped || group == 3;
}

// A sign, digits and a decimal part after the separator: the parts of a
// number written with these separators, or false.
bool SplitNumber(std::string_view text, char decimal, char thousands, std::string_view& sign,
                 std::string_view& whole, std::string_view& fraction, bool& point) {
    size_t i = 0;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    sign = text.substr(0, i);
    const std::string_view rest = text.substr(i);
    const size_t at = rest.find(decimal);
    point = at != std::string_view::npos;
    whole = rest.substr(0, at);
    fraction = point ? rest.substr(at + 1) : std::string_view();
    for (const char c : fraction) {
        if (!IsDigit(c)) return false;
    }
    if (whole.empty()) return point && !fraction.empty();
    return IsDigitRun(whole, thousands) && (!point || !fraction.empty());
}

void AppendEscaped(std::string& html, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&': html += "&amp;"; break;
            case '<': html += "&lt;"; break;
            case '>': html += "&gt;"; break;
            case '"': html += "&quot;"; break;
            default: html += c;
        }
    }
}

constexpr const char* kX = "x";
constexpr int kRowNumberDigits = 3;  // "01" and its end

}  // namespace

std::string ToUserNumber(std::string_view text, const NumberForm& form) {
    std::string_view sign, whole, fraction;
    bool point = false;
    if (!SplitNumber(text, '.', 0, sign, whole, fraction, point) || !point) return std::string(text);
    std::string out(sign);
    out.append(whole);
    out += form.decimal;
    out.append(fraction);
    return out;
}

std::string FromUserNumber(std::string_view text, const NumberForm& form) {
    std::string_view sign, whole, fraction;
    bool point = false;
    if (!SplitNumber(text, form.decimal, form.thousands, sign, whole, fraction, point)) return std::string(text);
    std::string out(sign);
    for (const char c : whole) {
        if (IsDigit(c)) out += c;
    }
    if (point) {
        out += '.';
        out.append(fraction);
    }
    return out;
}

std::vector<std::vector<std::string>> TableCells(const ListTable& list, const NumberForm& form) {
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> header{"Nr", "Ware", "Preis"};
    for (int column = 0; column < ids::kColumns; ++column)
        header.push_back(std::string(ids::ColumnLetter(column)) + " " + list.names[column]);
    cells.push_back(std::move(header));
    for (int row = 0; row < ids::kRows; ++row) {
        const TableRow& r = list.rows[row];
        char number[kRowNumberDigits] = {};
        std::snprintf(number, sizeof number, "%02d", row + 1);
        std::vector<std::string> line{number, r.goods, ToUserNumber(r.price, form)};
        for (const bool on : r.on) line.emplace_back(on ? kX : "");
        cells.push_back(std::move(line));
    }
    std::vector<std::string> sums{"Summe", "", ""};
    for (const std::string& sum : list.sums) sums.push_back(ToUserNumber(sum, form));
    cells.push_back(std::move(sums));
    cells.push_back({"Insgesammt", "", ToUserNumber(list.total, form)});
    return cells;
}

std::string TableText(const std::vector<std::vector<std::string>>& cells) {
    std::string text;
    for (const auto& line : cells) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (i) text += '\t';
            text += line[i];
        }
        text += "\r\n";
    }
    return text;
}

std::string TableHtml(const std::vector<std::vector<std::string>>& cells) {
    std::string html = "<table>";
    for (const auto& line : cells) {
        html += "<tr>";
        for (const std::string& cell : line) {
            html += "<td>";
            AppendEscaped(html, cell);
            html += "</td>";
        }
        html += "</tr>";
    }
    html += "</table>";
    return html;
}

std::string HtmlClipboard(std::string_view fragment) {
    // Offsets of ten digits each: the header's length does not depend on them.
    constexpr const char* kHeader =
        "Version:0.9\r\nStartHTML:%010u\r\nEndHTML:%010u\r\nStartFragment:%010u\r\nEndFragment:%010u\r\n";
    constexpr std::string_view kBefore = "<html><body>\r\n<!--StartFragment-->";
    constexpr std::string_view kAfter = "<!--EndFragment-->\r\n</body></html>";
    char header[160] = {};
    const int headerLength = std::snprintf(header, sizeof header, kHeader, 0u, 0u, 0u, 0u);
    const size_t start = static_cast<size_t>(headerLength);
    const size_t fragmentStart = start + kBefore.size();
    const size_t fragmentEnd = fragmentStart + fragment.size();
    const size_t end = fragmentEnd + kAfter.size();
    // A clipboard text is far below 4 GB: the offsets fit an unsigned.
    std::snprintf(header, sizeof header, kHeader, static_cast<unsigned>(start), static_cast<unsigned>(end),
                  static_cast<unsigned>(fragmentStart), static_cast<unsigned>(fragmentEnd));
    std::string out(header);
    out.append(kBefore);
    out.append(fragment);
    out.append(kAfter);
    return out;
}

std::vector<std::vector<std::string>> SplitRange(std::string_view text) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> line;
    std::string cell;
    bool quoted = false;
    bool cellStarted = false;
    auto endLine = [&] {
        line.push_back(std::move(cell));
        cell.clear();
        lines.push_back(std::move(line));
        line.clear();
        cellStarted = false;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
            continue;
        }
        if (c == '"' && !cellStarted) {
            quoted = true;
            cellStarted = true;
        } else if (c == '\t') {
            line.push_back(std::move(cell));
            cell.clear();
            cellStarted = false;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            endLine();
        } else {
            cell += c;
            cellStarted = true;
        }
    }
    if (cellStarted || !cell.empty() || !line.empty()) endLine();
    return lines;
}

bool IsRange(std::string_view text) { return text.find_first_of("\t\n") != std::string_view::npos; }

PastePlan PlanPaste(const std::vector<std::vector<std::string>>& lines, int startRow, bool intoPrice,
                    const std::array<bool, ids::kRows>& linked, const NumberForm& form) {
    PastePlan plan;
    plan.lines = static_cast<int>(lines.size());
    int row = startRow;
    for (const auto& line : lines) {
        while (row < ids::kRows && linked[row]) ++row;
        if (row >= ids::kRows) break;
        PastedRow pasted;
        pasted.row = row++;
        if (intoPrice) {
            pasted.setPrice = !line.empty();
            if (pasted.setPrice) pasted.price = FromUserNumber(line[0], form);
        } else {
            pasted.setGoods = !line.empty();
            if (pasted.setGoods) pasted.goods = line[0];
            pasted.setPrice = line.size() > 1;
            if (pasted.setPrice) pasted.price = FromUserNumber(line[1], form);
        }
        plan.rows.push_back(std::move(pasted));
        ++plan.linesPasted;
    }
    return plan;
}

}  // namespace clipboard
