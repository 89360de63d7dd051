#pragma once
// Seeded INI files as users, editors and other programs leave them: foreign
// sections and keys, comments, duplicates, odd blanks, quotes, odd line
// ends, byte order marks, values of every length; and key writes.
#include "support/Harness.h"

#include <cstdlib>
#include <optional>
#include <random>
#include <string>

namespace initest {


// Names the program uses, some foreign ones, and a few with non-ASCII letters.
constexpr const char* kSections[] = {"LISTE", "BUTTONS", "SETTINGS", "INFO", "SHARED", "A", "G", "Ärger", "x y", "Neu"};
constexpr const char* kKeys[] = {"Ware 01", "Preis01", "Name", "Summe", "NumbersOn", "File 01", "Lines", "Text01", "A",
                                 "Column", "AutoRn", "B", "Öl", "k", "Fehlt"};
constexpr const char* kValues[] = {"12", "-7", "+5", " 42 ", "0x1f", "0X1F", "0b101", "0o17", "-0x10",
                                   "99999999999", "-2147483649", "4294967295", "12abc", "abc", "- 3", "\x01" "9",
                                   "\"x y\"", "'a'", "\"open", "'", "\"\"", "''", "\"a'", "\"", "' 8 '", "",
                                   "C:\\Preise\\Liste.pgx", "1;2", "a=b", "[X]", "Ä ö ß €"};
constexpr const char* kBlanks[] = {"", "", "", " ", "  ", "\t", " \t", "\x1A", "\v", "\f"};
constexpr const char* kLineEnds[] = {"\r\n", "\r\n", "\r\n", "\n", "\n", "\r", "\n\r", "\r\r\n", ""};
constexpr const char* kMarks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
constexpr const char* kDefaults[] = {"", "d", "  ", "d  ", "\"q\"", "'", " x "};
constexpr size_t kBufferSizes[] = {1, 2, 3, 5, 21, 260, 2400};
constexpr int kIntDefaults[] = {0, -7, 123456};

inline int Setting(const char* name, int fallback) {
    char value[16] = {};
    const DWORD n = ::GetEnvironmentVariableA(name, value, sizeof value);
    return n > 0 && n < sizeof value ? std::atoi(value) : fallback;
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    template <size_t N> const char* Any(const char* const (&list)[N]) { return list[Pick(N)]; }

    // A name from the list in any case spelling.
    std::string Spelled(std::string name) {
        for (char& c : name) {
            const unsigned char u = static_cast<unsigned char>(c);
            const bool upper = (u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7);
            const bool lower = (u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7);
            if (Pick(3) == 0 && (upper || lower)) c = static_cast<char>(u + (upper ? 0x20 : -0x20));
        }
        return name;
    }
    std::string Section() { return Pick(10) ? Spelled(Any(kSections)) : "Extra" + std::to_string(Pick(3)); }
    std::string Key() { return Pick(10) ? Spelled(Any(kKeys)) : "Neu" + std::to_string(Pick(3)); }
    std::string Bytes(size_t n) {
        std::string s(n, '\0');
        for (char& c : s) c = static_cast<char>(Pick(20) ? 0x20 + Pick(0xE0) : Pick(0x20));
        return s;
    }
    std::string Value() {
        switch (Pick(12)) {
            case 0: return Bytes(Pick(12));
            case 1: return std::string(Pick(3) ? 300 + Pick(3) : 2397 + Pick(6), "7\"'x"[Pick(4)]);
            case 2: return std::string(1, "\"'"[Pick(2)]).append(Pick(2) ? Pick(6) : 2398, 'q').append(1, "\"'"[Pick(2)]);
            default: return Any(kValues);
        }
    }
    std::string Line(bool first) {
        const std::string blank = Any(kBlanks);
        switch (Pick(first ? 9 : 11)) {
            case 0: case 1: return blank + "[" + Section() + "]" + Any(kBlanks);
            case 2: {
                constexpr const char* kOdd[] = {"[%", "%]", "[ % ]", "[%]x", "[]", "[%]]", "[%\t]"};
                std::string s = Any(kOdd);
                const size_t at = s.find('%');
                return at == std::string::npos ? s : s.replace(at, 1, Section());
            }
            case 3: return blank + Any(kBlanks) + (Pick(2) ? ";" : "#") + Key() + "=" + Value();
            case 4: return Pick(2) ? blank : blank + Key();
            case 5: return blank + (Pick(2) ? "=" : " = ") + Value();
            case 9: case 10: return Bytes(Pick(30));
            default: return blank + Key() + Any(kBlanks) + "=" + Any(kBlanks) + Value() + Any(kBlanks);
        }
    }
    // An existing file (empty now and then), or nothing when there is none;
    // now and then saved in Unicode, with a byte order mark.
    std::optional<std::string> File(bool& marked) {
        marked = false;
        if (Pick(15) == 0) return std::nullopt;
        marked = Pick(8) == 0;
        std::string s;
        for (size_t i = 0, n = Pick(25); i < n; ++i) s += Line(i == 0) + Any(kLineEnds);
        return marked ? Unicode(s, Pick(std::size(kMarks))) : s;
    }
    // The text (Windows-1252) as an editor saves it: UTF-8, UTF-16 little or
    // big endian, after the byte order mark kMarks[form].
    static std::string Unicode(const std::string& text, size_t form) {
        const int n = static_cast<int>(text.size());
        std::wstring wide(text.size(), L'\0');
        wide.resize(::MultiByteToWideChar(1252, 0, text.data(), n, wide.data(), n));
        std::string out = kMarks[form], utf8(wide.size() * 3, '\0');
        const int wn = static_cast<int>(wide.size());
        utf8.resize(::WideCharToMultiByte(CP_UTF8, 0, wide.data(), wn, utf8.data(), 3 * wn, nullptr, nullptr));
        for (const wchar_t c : wide) {
            const char low = static_cast<char>(c & 0xFF), high = static_cast<char>(c >> 8);
            out += form == 1 ? std::string{low, high} : std::string{high, low};
        }
        return form == 0 ? out + utf8 : out;
    }
    // A value to write, now and then with blanks around it; even CR, LF and
    // NUL, which the program never writes, must come out as on the platform.
    std::string Written() {
        return std::string(Pick(4) ? "" : Any(kBlanks)) + Value() + (Pick(4) ? "" : Any(kBlanks));
    }

private:
    std::mt19937 m_random;
};

}  // namespace initest
