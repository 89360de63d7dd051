// The in-memory INI file against the platform's profile functions on real
// files: seeded random files as users, editors and other programs leave
// them (foreign sections and keys, comments, duplicates, odd blanks,
// quotes, odd line ends, values of every length) and key writes, compared
// byte for byte, then every read compared at the buffer sizes the program
// reads with. And the decoding functions with tens of thousands of odd
// values in seconds; whole odd documents go through the real reader in the
// document file test (odd.pgx), Unicode ones too.
#include "document/DocumentCodec.h"
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "model/Amounts.h"
#include "support/Harness.h"

#include <cstdlib>
#include <optional>
#include <random>

namespace {

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
// Section lines cut short or overlong around a name.
constexpr const char* kOpens[] = {"[", "[", "", "[ "};
constexpr const char* kCloses[] = {"", "]", " ]", "]x", "]]", "\t]"};
// What the program passes: no default or a digit string, buffers for
// digits, texts and info texts; and a buffer as tiny as can be.
constexpr const char* kDefaults[] = {"", "0000", "d  "};
constexpr size_t kBufferSizes[] = {1, 21, 260, 2400};
constexpr int kIntDefaults[] = {0, -7};

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    template <size_t N> const char* Any(const char* const (&list)[N]) { return list[Pick(N)]; }

    // A name from the list in any case spelling, Windows-1252 letters too.
    std::string Spelled(std::string name) {
        for (char& c : name) {
            const unsigned up = static_cast<unsigned char>(c) & 0xDF;
            const bool letter = (up >= 'A' && up <= 'Z') || (up >= 0xC0 && up != 0xD7 && up != 0xDF);
            if (letter && Pick(3) == 0) c = static_cast<char>(c ^ 0x20);
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
    // Long values and quoted ones end around the buffer limits.
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
            case 2: return Pick(8) ? Any(kOpens) + Section() + Any(kCloses) : "[]";
            case 3: return blank + Any(kBlanks) + (Pick(2) ? ";" : "#") + Key() + "=" + Value();
            case 4: return Pick(2) ? blank : blank + Key();
            case 5: return blank + (Pick(2) ? "=" : " = ") + Value();
            case 9: case 10: return Bytes(Pick(30));
            default: return blank + Key() + Any(kBlanks) + "=" + Any(kBlanks) + Value() + Any(kBlanks);
        }
    }
    // An existing file (empty now and then), or nothing when there is none.
    std::optional<std::string> File() {
        if (Pick(15) == 0) return std::nullopt;
        std::string s;
        for (size_t i = 0, n = Pick(25); i < n; ++i) s += Line(i == 0) + Any(kLineEnds);
        return s;
    }
    // A value to write, now and then with blanks around it; even CR, LF and
    // NUL, which the program never writes, must come out as on the platform.
    std::string Written() {
        return std::string(Pick(4) ? "" : Any(kBlanks)) + Value() + (Pick(4) ? "" : Any(kBlanks));
    }

private:
    std::mt19937 m_random;
};

}  // namespace

TEST(DocumentIni, BehavesAsTheProfileFunctions) {
    // scripts/fuzz.sh asks for more.
    const int cases = std::getenv("TARVELO_INI_CASES") ? std::atoi(std::getenv("TARVELO_INI_CASES")) : 200;
    for (int seed = 1; seed <= cases; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Generator g(static_cast<unsigned>(seed));
        const std::string path = TestDir() + "\\ini" + std::to_string(seed) + ".ini";
        const char* file = path.c_str();
        const std::optional<std::string> existing = g.File();
        RemoveFile(path);
        if (existing) WriteFileBytes(path, *existing);
        IniFile ini;
        LoadIniFile(path, &ini);

        // Names as the program writes them. Each write starts from the file on
        // disk: the platform caches what it read, and would otherwise go by the
        // time of the last write.
        for (size_t i = 0, n = g.Pick(12); i < n; ++i) {
            const std::string section = g.Section(), key = g.Key(), value = g.Written();
            ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
            ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file);
            ini.SetString(section, key, value);
        }
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
        ASSERT_EQ(ReadFileBytes(path), ini.Bytes());

        for (size_t i = 0; i < 12; ++i) {
            const std::string section = g.Section(), key = g.Key();
            const char* def = g.Any(kDefaults);
            // The product's own reader of the platform: the text up to the count it returns.
            for (const size_t size : kBufferSizes) {
                ASSERT_EQ(ReadProfileString(path, section.c_str(), key, def, static_cast<int>(size)),
                          ini.GetString(section, key, def, size))
                    << "[" << section << "] " << key << " default " << def << " size " << size;
            }
            const int def2 = kIntDefaults[g.Pick(std::size(kIntDefaults))];
            ASSERT_EQ(static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), def2, file)),
                      ini.GetInt(section, key, def2))
                << "[" << section << "] " << key;
        }
        RemoveFile(path);
    }
}

TEST(DocumentRobustness, DecodingFunctionsTakeAnyValue) {
    Generator g(4242);
    for (int n = 0; n < 20000; ++n) {
        const std::string value = g.Pick(3) ? g.Value() : g.Bytes(g.Pick(40));
        SCOPED_TRACE(value);
        for (const int column : DecodeLinkColumns(value, 20)) ASSERT_TRUE(column >= -1 && column <= 6);
        ASSERT_EQ(OneLineValue(value).find_first_of("\r\n"), std::string::npos);
        const std::string stored = EncodeInfoText(value);
        ASSERT_EQ(stored.find_first_of("\r\n"), std::string::npos);
        if (value.find('|') == std::string::npos) { ASSERT_EQ(EncodeInfoText(DecodeInfoText(stored)), stored); }
        const double amount = ParseAmount(value);
        ASSERT_EQ(amount, amount) << "no number is nan";
        if (const auto parts = SplitDocumentPath(value)) { ASSERT_LE(parts->strExt.size(), 5u); }
    }
}
