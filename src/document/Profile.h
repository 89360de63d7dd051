#pragma once
// The Windows profile (INI) functions with bounded buffers.
#include <string>
#include <utility>
#include <vector>

// At most bufferSize - 1 characters, as a buffer of bufferSize bytes holds.
std::string ReadProfileString(const std::string& file, const char* section, const std::string& key,
                              const char* defaultValue, int bufferSize);
int ReadProfileInt(const std::string& file, const char* section, const char* key, int defaultValue);
bool WriteProfileString(const std::string& file, const char* section, const std::string& key,
                        const std::string& value);
// Makes the profile functions write out what they may still cache for file.
void FlushProfile(const std::string& file);
bool FileExists(const std::string& path);

// Writes keys into one file and checks afterwards that the file on disk
// holds them. The profile functions do not report every failure: on a full
// disk they cut the file short and still return success.
class CheckedProfileWriter {
public:
    explicit CheckedProfileWriter(std::string file);
    void Put(const char* section, const std::string& key, const std::string& value);
    // True when every Put succeeded and, once the profile functions have let
    // go of the file, the file holds every key written, each with the value
    // written wherever the file stores it unchanged (values with blanks at
    // their ends or control characters are only looked for), and ends with
    // a whole line, unless it did not before the first Put.
    bool Verify() const;

private:
    struct Entry {
        const char* section;
        std::string key;
        std::string value;
    };
    std::string m_file;
    std::vector<Entry> m_entries;
    bool m_ok = true;
    bool m_endsWithLineBreak = true;  // what the file must do once written
};
