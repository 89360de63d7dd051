#include "document/SafeSave.h"

#include "dialogkit/Win32.h"

#include <atomic>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr int kReplaceAttempts = 20;  // a scanner or indexer may hold the file a moment
constexpr DWORD kReplaceRetryMs = 50;
// The copy's name is short and of one length whatever the target's:
// "~tv" + eight hex digits + ".tmp", beside the target.
constexpr const char* kCopyPrefix = "~tv";
constexpr const char* kCopySuffix = ".tmp";
constexpr size_t kCopyDigits = 8;
constexpr int kCopyNameBuffer = 32;
constexpr int kCopyAttempts = 64;  // names another save holds are passed over
constexpr DWORD kReadChunk = 64 * 1024;

// The system's long-path form of a path ("\\?\C:\..."): it reaches names
// beyond the usual 259 characters, such as the copy of a document in a
// deep folder.
std::wstring LongPathForm(const std::string& path) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), n);
    const DWORD full = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (full == 0) return {};
    std::wstring absolute(full, L'\0');
    const DWORD written = ::GetFullPathNameW(wide.c_str(), full, absolute.data(), nullptr);
    if (written == 0 || written >= full) return {};
    absolute.resize(written);
    if (absolute.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + absolute.substr(2);
    return L"\\\\?\\" + absolute;
}

class File {
public:
    explicit File(HANDLE h) : m_h(h) {}
    ~File() {
        if (Valid()) ::CloseHandle(m_h);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};

bool ReadAll(HANDLE h, std::string* bytes) {
    bytes->clear();
    std::vector<char> chunk(kReadChunk);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(h, chunk.data(), kReadChunk, &read, nullptr)) return false;
        if (read == 0) return true;
        bytes->append(chunk.data(), read);
    }
}

// The copy is held open from its creation until it has been moved (or
// removed): a copy nobody holds belongs to a save that was cut off. Others
// may rename or remove it, never open it for reading or writing.
class HeldCopy {
public:
    HeldCopy() = default;
    ~HeldCopy() { Release(); }
    HeldCopy(const HeldCopy&) = delete;
    HeldCopy& operator=(const HeldCopy&) = delete;
    // A new copy beside target under a name no other file has.
    bool Create(const std::string& target);
    const std::wstring& Path() const { return m_path; }
    HANDLE Get() const { return m_h; }
    void Release() {
        if (m_h != INVALID_HANDLE_VALUE) ::CloseHandle(m_h);
        m_h = INVALID_HANDLE_VALUE;
    }

private:
    HANDLE m_h = INVALID_HANDLE_VALUE;
    std::wstring m_path;
};

bool HeldCopy::Create(const std::string& target) {
    static std::atomic<unsigned> saves{0};
    const size_t slash = target.find_last_of("\\/");
    const std::string folder = target.substr(0, slash == std::string::npos ? 0 : slash + 1);
    // This process's number in the high digits keeps two programs' saves
    // apart in most cases; CREATE_NEW keeps them apart in all.
    const unsigned base = static_cast<unsigned>(::GetCurrentProcessId()) << 16;
    for (int attempt = 0; attempt < kCopyAttempts; ++attempt) {
        char name[kCopyNameBuffer] = {};
        std::snprintf(name, sizeof name, "%s%08x%s", kCopyPrefix, base ^ ++saves, kCopySuffix);
        m_path = LongPathForm(folder + name);
        if (m_path.empty()) return false;
        m_h = ::CreateFileW(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_h != INVALID_HANDLE_VALUE) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

// Writes the copy and makes sure the disk holds all of it: a full disk may
// take part of a write and still report success.
bool WriteCopy(const HeldCopy& copy, const std::string& bytes, Durability durability) {
    DWORD written = 0;
    if (!::WriteFile(copy.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
        return false;
    }
    if (durability == Durability::kWhole) return true;
    if (!::FlushFileBuffers(copy.Get())) return false;
    if (::SetFilePointer(copy.Get(), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    std::string back;
    return ReadAll(copy.Get(), &back) && back == bytes;
}

bool MoveOver(const std::wstring& from, const std::wstring& to) {
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION && error != ERROR_ACCESS_DENIED) {
            return false;
        }
        ::Sleep(kReplaceRetryMs);
    }
    return false;
}

bool IsCopyName(const std::wstring& name) {
    const std::wstring prefix(kCopyPrefix, kCopyPrefix + std::char_traits<char>::length(kCopyPrefix));
    const std::wstring suffix(kCopySuffix, kCopySuffix + std::char_traits<char>::length(kCopySuffix));
    if (name.size() != prefix.size() + kCopyDigits + suffix.size()) return false;
    if (::lstrcmpiW(name.substr(0, prefix.size()).c_str(), prefix.c_str()) != 0) return false;
    if (::lstrcmpiW(name.substr(name.size() - suffix.size()).c_str(), suffix.c_str()) != 0) return false;
    return name.find_first_not_of(L"0123456789abcdefABCDEF", prefix.size()) == prefix.size() + kCopyDigits;
}

// Removes the copies beside target that no save holds any more: those of
// saves that were cut off (a crash, a power cut, a killed process), on this
// computer or another. A running save's copy cannot be opened alone.
void RemoveLeftCopies(const std::string& target) {
    const size_t slash = target.find_last_of("\\/");
    const std::string folder = target.substr(0, slash == std::string::npos ? 0 : slash + 1);
    const std::wstring pattern = LongPathForm(folder + kCopyPrefix + "*" + kCopySuffix);
    if (pattern.empty()) return;
    const std::wstring wideFolder = pattern.substr(0, pattern.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        // The pattern matches short names too: only a long name of this form counts.
        if (!IsCopyName(found.cFileName)) continue;
        const std::wstring left = wideFolder + found.cFileName;
        const File alone(::CreateFileW(left.c_str(), GENERIC_READ | FILE_WRITE_ATTRIBUTES | DELETE, 0, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!alone.Valid()) continue;
        FILE_BASIC_INFO basic{};
        basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        FILE_DISPOSITION_INFO gone{TRUE};
        ::SetFileInformationByHandle(alone.Get(), FileBasicInfo, &basic, sizeof basic);
        ::SetFileInformationByHandle(alone.Get(), FileDispositionInfo, &gone, sizeof gone);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

namespace {

// Set by a test's thread, called by the companion files' workers too; the
// one hook shared, not copied, since it may keep state across calls (and a
// save it makes calls it again).
std::mutex g_hookLock;
std::shared_ptr<std::function<void(const std::string&)>> g_beforeSaveMove;

void BeforeSaveMove(const std::string& target) {
    std::shared_ptr<std::function<void(const std::string&)>> hook;
    {
        const std::lock_guard<std::mutex> hold(g_hookLock);
        hook = g_beforeSaveMove;
    }
    if (hook && *hook) (*hook)(target);
}

}  // namespace

void SetBeforeSaveMove(std::function<void(const std::string&)> hook) {
    auto shared = std::make_shared<std::function<void(const std::string&)>>(std::move(hook));
    const std::lock_guard<std::mutex> hold(g_hookLock);
    g_beforeSaveMove = std::move(shared);
}

bool SaveReplacing(const std::string& target, const std::string& bytes, Durability durability) {
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    const std::wstring wideTarget = LongPathForm(target);
    if (wideTarget.empty()) return false;
    RemoveLeftCopies(target);
    HeldCopy copy;
    if (!copy.Create(target)) return false;
    if (WriteCopy(copy, bytes, durability)) {
        BeforeSaveMove(target);
        if (MoveOver(copy.Path(), wideTarget)) return true;
    }
    // Only a copy this save made itself is removed.
    copy.Release();
    ::DeleteFileW(copy.Path().c_str());
    return false;
}

bool ReadWholeFile(const std::string& path, std::string* bytes) {
    bytes->clear();
    const File file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }
    return ReadAll(file.Get(), bytes);
}
