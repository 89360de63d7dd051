#include "document/DocumentCodec.h"

#include "document/DocumentKeys.h"

#include <cstdio>

namespace {
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kStoredBreak = "|~|";

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, pos)) {
        out.append(text.substr(pos, at - pos));
        out.append(to);
        pos = at + from.size();
    }
    out.append(text.substr(pos));
    return out;
}
// Every line break (CR LF, a lone CR, a lone LF) replaced by `with`: a
// value with a line break in it would end its line in the file, and what
// follows would be lost or read as keys of its own.
std::string ReplaceLineBreaks(std::string_view text, std::string_view with) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            out.push_back(text[i]);
            continue;
        }
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out.append(with);
    }
    return out;
}

}  // namespace

std::string EncodeInfoText(std::string_view text) { return ReplaceLineBreaks(text, kStoredBreak); }

std::string OneLineValue(std::string_view text) { return ReplaceLineBreaks(text, " "); }

std::string DecodeInfoText(std::string_view stored) { return ReplaceAll(stored, kStoredBreak, kCrLf); }

std::string EncodeDigits(const std::vector<int>& values) {
    std::string out;
    out.reserve(values.size());
    for (int v : values) out.push_back(static_cast<char>('0' + v));
    return out;
}

std::vector<int> DecodeDigits(std::string_view value, size_t count, char fill) {
    std::vector<int> out(count);
    for (size_t i = 0; i < count; ++i) {
        const char c = i < value.size() ? value[i] : fill;
        out[i] = static_cast<unsigned char>(c) - '0';
    }
    return out;
}

std::vector<int> DecodeLinkColumns(std::string_view value, size_t count) {
    while (!value.empty() && (value.back() == ' ' || (value.back() >= '\t' && value.back() <= '\r'))) {
        value.remove_suffix(1);
    }
    std::vector<int> out(count, doc::kNoLinkColumn - '0');
    for (size_t i = 0; i < count && i < value.size(); ++i) {
        const char c = value[i];
        if (c >= doc::kNoLinkColumn && c <= '6') out[i] = c - '0';
    }
    return out;
}

int SelectionStateFromDigit(int digit) {
    if (digit < 0) return -1;
    return digit == 0 ? 0 : 1;
}

std::string RowKey(const char* format, int row) {
    char key[32];
    std::snprintf(key, sizeof key, format, row + 1);
    return key;
}
