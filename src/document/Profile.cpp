#include "document/Profile.h"

#include "dialogkit/Win32.h"

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

// A value that no key holds: a missing key gives it back.
constexpr const char* kMissing = "\x01?\x01";

// Whether reading gives the value back exactly as written: nothing that the
// profile functions trim, unquote or take as the end of a line.
bool ReadsBackUnchanged(const std::string& value) {
    if (value.empty()) return true;
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return false;
    }
    auto isBlank = [](char c) { return c == ' ' || static_cast<unsigned char>(c) == 0xA0; };
    if (isBlank(value.front()) || isBlank(value.back())) return false;
    return value.front() != '"' && value.front() != '\'';
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
    const std::string missing = kMissing;
    for (const Entry& entry : m_entries) {
        if (ReadsBackUnchanged(entry.value)) {
            // Two more bytes than the value: a longer one shows.
            const int buffer = static_cast<int>(entry.value.size()) + 2;
            if (ReadProfileString(m_file, entry.section, entry.key, kMissing, buffer) != entry.value) return false;
        } else if (ReadProfileString(m_file, entry.section, entry.key, kMissing,
                                     static_cast<int>(missing.size()) + 1) == missing) {
            return false;
        }
    }
    return true;
}
