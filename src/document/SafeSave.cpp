#include "document/SafeSave.h"

#include "dialogkit/Win32.h"
#include "document/WriterId.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace {

constexpr int kReplaceAttempts = 20;  // a scanner or indexer may hold the file a moment
constexpr DWORD kReplaceRetryMs = 50;
constexpr const char* kCopyPrefix = "~";
constexpr const char* kCopySuffix = ".tmp";
constexpr char kCopySeparator = '.';
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

// Writes the copy and makes sure the disk holds all of it: a full disk may
// take part of a write and still report success.
// The copy is new: a name that exists already belongs to no save of ours.
bool WriteCopy(const std::wstring& copy, const std::string& bytes, Durability durability, bool* created) {
    {
        const File file(::CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
        if (!file.Valid()) return false;
        *created = true;
        DWORD written = 0;
        if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written != bytes.size()) {
            return false;
        }
        if (durability == Durability::kWhole) return true;
        if (!::FlushFileBuffers(file.Get())) return false;
    }
    const File file(::CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string back;
    return file.Valid() && ReadAll(file.Get(), &back) && back == bytes;
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

std::string Narrow(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string narrow(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), n, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(n - 1));
    return narrow;
}

// Removes the copies of this target that saves of ended processes on this
// computer left behind; the copies of running saves, and of other
// computers' saves, stay.
void RemoveLeftCopies(const std::string& target) {
    const size_t slash = target.find_last_of("\\/");
    const std::string folder = target.substr(0, slash == std::string::npos ? 0 : slash + 1);
    std::string prefix = kCopyPrefix;
    prefix.append(target, folder.size()).push_back(kCopySeparator);
    const std::wstring pattern = LongPathForm(folder + prefix + "*" + kCopySuffix);
    if (pattern.empty()) return;
    const std::wstring wideFolder = pattern.substr(0, pattern.find_last_of(L'\\') + 1);
    WIN32_FIND_DATAW found;
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = Narrow(found.cFileName);
        const std::string suffix = kCopySuffix;
        // The pattern matches short names too: only a long name of this form counts.
        if (name.size() <= prefix.size() + suffix.size() ||
            ::lstrcmpiA(name.substr(0, prefix.size()).c_str(), prefix.c_str()) != 0) {
            continue;
        }
        const std::string tag = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
        const size_t number = tag.rfind(kCopySeparator);
        WriterId writer;
        if (number == std::string::npos || !WriterFromTag(tag.substr(0, number), &writer)) continue;
        if (StateOf(writer) != WriterState::kGone) continue;
        const std::wstring left = wideFolder + found.cFileName;
        ::SetFileAttributesW(left.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(left.c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

}  // namespace

std::string SaveCopyPath(const std::string& target) {
    static std::atomic<unsigned> saves{0};
    const size_t slash = target.find_last_of("\\/");
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    return target.substr(0, name) + kCopyPrefix + target.substr(name) + kCopySeparator + WriterTag(ThisWriter()) +
           kCopySeparator + std::to_string(++saves) + kCopySuffix;
}

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
    const std::wstring copy = LongPathForm(SaveCopyPath(target));
    const std::wstring wideTarget = LongPathForm(target);
    if (copy.empty() || wideTarget.empty()) return false;
    RemoveLeftCopies(target);
    bool created = false;
    if (WriteCopy(copy, bytes, durability, &created)) {
        BeforeSaveMove(target);
        if (MoveOver(copy, wideTarget)) return true;
    }
    // Only a copy this save made itself is removed.
    if (created) ::DeleteFileW(copy.c_str());
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
