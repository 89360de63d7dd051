#include "document/Profile.h"

#include "dialogkit/Win32.h"
#include "document/SafeSave.h"

#include <optional>
#include <string_view>
#include <vector>

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// The text of a file with a byte order mark as UTF-16, or nothing.
std::optional<std::wstring> WideText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        bytes.remove_prefix(kUtf8Mark.size());
        const int n = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring wide(static_cast<size_t>(n), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
        return wide;
    }
    const bool little = bytes.starts_with(kUtf16LeMark);
    if (!little && !bytes.starts_with(kUtf16BeMark)) return std::nullopt;
    std::wstring wide;
    for (size_t i = kUtf16LeMark.size(); i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[little ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(bytes[little ? i + 1 : i]);
        wide.push_back(static_cast<wchar_t>(lo | hi << 8));
    }
    return wide;
}

}  // namespace

IniLoad LoadIniFile(const std::string& path, IniFile* file) {
    std::string bytes;
    if (!ReadWholeFile(path, &bytes)) {
        *file = IniFile();
        return IniLoad::kUnreadable;
    }
    return IniFromBytes(std::move(bytes), file);
}

IniLoad IniFromBytes(std::string bytes, IniFile* file) {
    if (const std::optional<std::wstring> wide = WideText(bytes)) {
        const int size = static_cast<int>(wide->size());
        const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), size, nullptr, 0, nullptr, nullptr);
        std::string ansi(static_cast<size_t>(n), '\0');
        BOOL lost = FALSE;
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide->data(), size, ansi.data(), n, nullptr, &lost);
        *file = IniFile(std::move(ansi));
        return lost ? IniLoad::kLossy : IniLoad::kWhole;
    }
    *file = IniFile(std::move(bytes));
    return IniLoad::kWhole;
}

FileStamp StampOfFile(const std::string& path) {
    FileStamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        stamp.exists = true;
        stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.written = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                        data.ftLastWriteTime.dwLowDateTime;
    }
    return stamp;
}

std::string ReadProfileString(const std::string& file, const char* section, const std::string& key,
                              const char* defaultValue, int bufferSize) {
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    const DWORD n = ::GetPrivateProfileStringA(section, key.c_str(), defaultValue, buffer.data(),
                                               static_cast<DWORD>(bufferSize), file.c_str());
    return std::string(buffer.data(), n < static_cast<DWORD>(bufferSize) ? n : bufferSize - 1);
}

bool FileExists(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
