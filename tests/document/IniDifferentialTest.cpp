// The in-memory INI file against the platform's profile functions on real
// files: seeded random files as users, editors and other programs leave
// them, key writes compared byte for byte, then reads compared at the
// buffer sizes the program reads with. Whole odd documents, Unicode ones
// too, go through the real reader in the document file test.
#include "document/Profile.h"
#include "support/Harness.h"

#include <cctype>
#include <cstdlib>
#include <random>

namespace {

// Names the program uses and foreign ones, non-ASCII letters too; values
// as numbers, quoted, paths and umlauts; blanks and line ends of every kind;
// section lines whole, cut short or overlong; comments and lines without a name.
constexpr const char* kNames[] = {"LISTE", "INFO", "A", "Ware 01", "Preis01", "Summe", "\xC4rger", "x y", "\xD6l", "k"};
constexpr const char* kValues[] = {"12", "-7", "+5", " 42 ", "0x1f", "0X1F", "0b101", "0o17", "-0x10", "99999999999",
                                   "-2147483649", "4294967295", "12abc", "- 3", "\x01" "9", "\"x y\"", "'a'", "\"open",
                                   "'", "\"\"", "\"a'", "", "C:\\Preise\\Liste.pgx", "a=b", "[X]", "[]", "\xC4 \xF6 \xDF \x80"};
constexpr const char* kBlanks[] = {"", "", "", " ", "\t", "\x1A", "\v"};
constexpr const char* kLineEnds[] = {"\r\n", "\r\n", "\n", "\r", "\n\r", "\r\r\n", ""};
constexpr const char* kOpens[] = {"[", "[", "[ ", ";", "#", "", "="};
constexpr const char* kCloses[] = {"]", "]", " ]", "", "]x", "]]", "=", " = "};
// What the program passes: no default or a digit string, buffers for digits,
// texts and info texts, and one as tiny as can be.
constexpr const char* kDefaults[] = {"", "0000", "d  "};
constexpr size_t kBufferSizes[] = {1, 21, 260, 2400};

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}
    size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(m_random); }
    template <size_t N> std::string Any(const char* const (&list)[N]) { return list[Pick(N)]; }
    // A name in any case spelling, Windows-1252 letters too.
    std::string Name() {
        std::string name = Any(kNames);
        for (char& c : name) {
            if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0xC0) c ^= Pick(3) ? 0 : 0x20;
        }
        return name;
    }
    // Now and then any bytes, or a value at the buffers' limits, quoted or not.
    std::string Value() {
        if (Pick(6) == 0) {
            std::string bytes(Pick(12), '\0');
            for (char& c : bytes) c = static_cast<char>(Pick(2) ? Pick(256) : Pick(32));  // control characters too
            return bytes;
        }
        if (Pick(7)) return Any(kValues);
        const char quote = "\"'7"[Pick(3)];
        return std::string(1, quote).append((Pick(2) ? 258 : 2398) + Pick(3), '7').append(1, quote);
    }
    std::string Blanked(const std::string& s) { return Any(kBlanks) + s + Any(kBlanks); }
    // A section line, a key line, or a line of anything.
    std::string Line() {
        if (Pick(5) == 0) return Blanked(Any(kOpens) + Blanked(Pick(4) ? Name() : Value()) + Any(kCloses));
        const std::string mark = Pick(4) ? "" : Any(kOpens), equals = Pick(6) ? "=" : Any(kCloses);
        return Pick(8) ? Blanked(mark + (Pick(6) ? Name() : Value())) + equals + Blanked(Value()) : Value();
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
        std::string existing;
        for (size_t i = 0, n = g.Pick(25); i < n; ++i) existing += g.Line() + g.Any(kLineEnds);
        if (g.Pick(15)) WriteFileBytes(path, existing);  // or no file at all
        IniFile ini;
        LoadIniFile(path, &ini);

        // Each write starts from the file on disk: the platform caches what it
        // read, and would otherwise go by the time of the last write.
        for (size_t i = 0, n = g.Pick(12); i < n; ++i) {
            const std::string section = g.Name(), key = g.Name(), value = g.Blanked(g.Value());
            ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
            ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str());
            ini.SetString(section, key, value);
        }
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        ASSERT_EQ(ReadFileBytes(path), ini.Bytes());

        for (size_t i = 0; i < 12; ++i) {
            const std::string section = g.Name(), key = g.Name(), def = g.Any(kDefaults);
            for (const size_t size : kBufferSizes) {
                ASSERT_EQ(ReadProfileString(path, section.c_str(), key, def.c_str(), static_cast<int>(size)),
                          ini.GetString(section, key, def, size))
                    << "[" << section << "] " << key << " default " << def << " size " << size;
            }
            const int intDefault = g.Pick(2) ? 0 : -7;
            ASSERT_EQ(static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), intDefault, path.c_str())),
                      ini.GetInt(section, key, intDefault)) << "[" << section << "] " << key;
        }
        RemoveFile(path);
    }
}
