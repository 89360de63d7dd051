#pragma once
// An INI file held in memory that reads and writes exactly as the platform's
// profile functions do on disk (GetPrivateProfileStringA, GetPrivateProfileIntA,
// WritePrivateProfileStringA), so a file can be read once, given any number
// of key writes and written once.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
public:
    IniFile() = default;  // no file yet
    explicit IniFile(std::string bytes);  // the file's bytes in the code page (see LoadIniFile)

    // What GetPrivateProfileStringA(section, key, def, buffer, bufferSize)
    // leaves in a buffer of bufferSize bytes (up to its terminating NUL).
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          size_t bufferSize) const;
    // What GetPrivateProfileIntA(section, key, def) returns.
    int GetInt(std::string_view section, std::string_view key, int def) const;
    // What WritePrivateProfileStringA(section, key, value) does to the file.
    void SetString(std::string_view section, std::string_view key, std::string_view value);

    // The file's bytes as the platform would leave them: the bytes given
    // until a write changes something.
    std::string Bytes() const;

private:
    struct Key {
        std::string name;
        std::optional<std::string> value;  // none on a line without '='
    };
    struct Section {
        std::string name;  // empty for the keys before the first section line
        std::vector<Key> keys;
    };
    struct Location {
        size_t section;
        size_t key;
    };
    // The value a fast write stored in the file, where the platform's next
    // read of that file would already see it trimmed.
    struct Pending {
        Location at;
        std::string text;
    };

    void Parse(std::string_view bytes);
    std::string Serialize() const;
    Location Find(std::string_view section, std::string_view key) const;

    std::string m_bytes;  // the file as the last full write left it
    std::vector<Section> m_sections{Section{}};
    std::optional<Pending> m_pending;
    bool m_reparsed = false;  // the sections are what reading a written file gives
};
