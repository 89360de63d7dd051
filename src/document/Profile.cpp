#include "document/Profile.h"

#include "dialogkit/Win32.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>
#include <vector>

std::string ReadProfileString(const std::string& file, const char* section, const std::string& key,
                              const char* defaultValue, int bufferSize) {
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    const DWORD n = ::GetPrivateProfileStringA(section, key.c_str(), defaultValue, buffer.data(),
                                               static_cast<DWORD>(bufferSize), file.c_str());
    return std::string(buffer.data(), n < static_cast<DWORD>(bufferSize) ? n : bufferSize - 1);
}

int ReadProfileInt(const std::string& file, const char* section, const char* key, int defaultValue) {
    return static_cast<int>(::GetPrivateProfileIntA(section, key, defaultValue, file.c_str()));
}

bool WriteProfileString(const std::string& file, const char* section, const std::string& key,
                        const std::string& value) {
    return ::WritePrivateProfileStringA(section, key.c_str(), value.c_str(), file.c_str()) != FALSE;
}

void FlushProfile(const std::string& file) {
    ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// Sections are read whole, in a buffer that grows up to this size.
constexpr size_t kFirstSectionBuffer = 64 * 1024;
constexpr size_t kLargestSectionBuffer = 16 * 1024 * 1024;

// Whether the file holds the value exactly as written: nothing that the
// profile functions trim or take as the end of a line. (Values with blanks
// at their ends lose them; a reader also unquotes a quoted value.)
bool StoredAsWritten(const std::string& value) {
    if (value.empty()) return true;
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
    }
    auto isBlank = [](char c) { return c == ' ' || static_cast<unsigned char>(c) == 0xA0; };
    return !isBlank(value.front()) && !isBlank(value.back());
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return std::string(text);
}

bool SameKey(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The keys and values of one section as the file holds them, in file order;
// nothing when the section is too large to read whole.
std::optional<std::vector<std::pair<std::string, std::string>>> ReadSection(const std::string& file,
                                                                             const char* section) {
    for (size_t size = kFirstSectionBuffer; size <= kLargestSectionBuffer; size *= 2) {
        std::vector<char> buffer(size, '\0');
        const DWORD n = ::GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(size), file.c_str());
        if (n + 2 >= size) continue;  // cut: try a larger buffer
        std::vector<std::pair<std::string, std::string>> pairs;
        for (size_t at = 0; at < n && buffer[at];) {
            const std::string_view line(buffer.data() + at);
            at += line.size() + 1;
            const size_t equals = line.find('=');
            if (equals == std::string_view::npos) continue;
            pairs.emplace_back(Trimmed(line.substr(0, equals)), Trimmed(line.substr(equals + 1)));
        }
        return pairs;
    }
    return std::nullopt;
}

enum class Ending { None, LineBreak, Other };  // no file or an empty one; '\n'; anything else

// How the file ends (a file cut short mostly in the middle of a line).
Ending LastByte(const std::string& file) {
    const HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return Ending::None;
    char last = 0;
    DWORD read = 0;
    LARGE_INTEGER back;
    back.QuadPart = -1;
    const bool any = ::SetFilePointerEx(h, back, nullptr, FILE_END) && ::ReadFile(h, &last, 1, &read, nullptr) &&
                     read == 1;
    ::CloseHandle(h);
    if (!any) return Ending::None;
    return last == '\n' ? Ending::LineBreak : Ending::Other;
}

}  // namespace

CheckedProfileWriter::CheckedProfileWriter(std::string file) : m_file(std::move(file)) {
    // The profile functions end every line they write; a file that already
    // ended without one may keep its end where they edit it in place.
    m_endsWithLineBreak = LastByte(m_file) != Ending::Other;
}

void CheckedProfileWriter::Put(const char* section, const std::string& key, const std::string& value) {
    if (!WriteProfileString(m_file, section, key, value)) m_ok = false;
    // What the profile function got: the text up to a NUL.
    m_entries.push_back({section, key, std::string(value.c_str())});
}

bool CheckedProfileWriter::Verify() const {
    if (!m_ok) return false;
    // Let the profile functions forget the file, so what follows reads it
    // from disk and not from their cache.
    FlushProfile(m_file);
    if (m_endsWithLineBreak && LastByte(m_file) != Ending::LineBreak) return false;

    // A section at a time: the profile functions read the whole file again
    // for every call, so one call per key would cost as much as the writes.
    std::map<std::string, std::optional<std::vector<std::pair<std::string, std::string>>>> sections;
    for (const Entry& entry : m_entries) {
        auto found = sections.find(entry.section);
        if (found == sections.end()) found = sections.emplace(entry.section, ReadSection(m_file, entry.section)).first;
        if (!found->second) return false;  // a section of megabytes is no document's
        // The first key of that name counts, as for a reader.
        const auto& pairs = *found->second;
        const auto pair = std::find_if(pairs.begin(), pairs.end(),
                                       [&](const auto& kv) { return SameKey(kv.first, entry.key); });
        if (pair == pairs.end()) return false;
        if (StoredAsWritten(entry.value) && pair->second != entry.value) return false;
    }
    return true;
}
