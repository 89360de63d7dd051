// The in-memory INI file against the platform's profile functions on real
// files: seeded random files and key writes, compared byte for byte, then
// every read compared at several buffer sizes. TARVELO_INI_CASES sets how
// many cases (default 200), TARVELO_INI_SEED the first seed (default 1).
#include "document/IniGenerator.h"
#include "document/Profile.h"

using namespace initest;

TEST(DocumentIni, BehavesAsTheProfileFunctions) {
    const int first = Setting("TARVELO_INI_SEED", 1);
    const int cases = Setting("TARVELO_INI_CASES", 200);
    for (int seed = first; seed < first + cases; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed) + " (replay: TARVELO_INI_SEED=" + std::to_string(seed) +
                     " TARVELO_INI_CASES=1)");
        Generator g(static_cast<unsigned>(seed));
        const std::string path = TestDir() + "\\ini" + std::to_string(seed) + ".ini";
        const char* file = path.c_str();
        bool marked = false;
        const std::optional<std::string> existing = g.File(marked);
        RemoveFile(path);
        if (existing) WriteFileBytes(path, *existing);
        // A file with a byte order mark is read as LoadIniFile converts it,
        // and not written: the platform would write it back in Unicode.
        IniFile ini;
        LoadIniFile(path, &ini);

        // Each write starts from the file on disk: the platform caches what it
        // read, and would otherwise go by the time of the last write.
        for (size_t i = 0, n = marked ? 0 : g.Pick(12); i < n; ++i) {
            const std::string section = g.Pick(30) ? g.Section() : g.Any(kBlanks) + g.Section() + g.Any(kBlanks);
            const std::string key = g.Pick(30) ? g.Key() : g.Pick(2) ? "" : std::string(" ").append(g.Key()).append(g.Any(kBlanks));
            const std::string value = g.Written();
            ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
            ::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file);
            ini.SetString(section, key, value);
        }
        ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
        if (!marked) { ASSERT_EQ(ReadFileBytes(path), ini.Bytes()); }

        for (size_t i = 0; i < (marked ? 160 : 12); ++i) {
            const std::string section = g.Pick(40) ? g.Section() : "";
            const std::string key = g.Pick(40) ? g.Key() : "";
            const char* def = g.Any(kDefaults);
            for (const size_t size : kBufferSizes) {
                if (marked && size != kBufferSizes[std::size(kBufferSizes) - 1]) continue;  // the conversion is the point
                std::string buffer(size, '\x7F');
                const DWORD n = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), def, buffer.data(),
                                                           static_cast<DWORD>(size), file);
                const std::string expected = ini.GetString(section, key, def, size);
                ASSERT_EQ(buffer.c_str(), expected) << "[" << section << "] " << key << " default " << def << " size " << size;
                ASSERT_EQ(n, expected.size()) << "[" << section << "] " << key << " size " << size;
            }
            const int def2 = kIntDefaults[g.Pick(std::size(kIntDefaults))];
            ASSERT_EQ(static_cast<int>(::GetPrivateProfileIntA(section.c_str(), key.c_str(), def2, file)),
                      ini.GetInt(section, key, def2))
                << "[" << section << "] " << key;
        }
        RemoveFile(path);
    }
}
