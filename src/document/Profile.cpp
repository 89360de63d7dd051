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
