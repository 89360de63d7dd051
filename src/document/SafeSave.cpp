#include "document/SafeSave.h"

#include "dialogkit/Win32.h"
#include "document/Profile.h"

namespace {

constexpr int kReplaceAttempts = 20;  // a scanner or indexer may hold the file a moment
constexpr DWORD kReplaceRetryMs = 50;

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

bool FlushToDisk(const std::string& path) {
    const HANDLE h = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = ::FlushFileBuffers(h) != FALSE;
    ::CloseHandle(h);
    return ok;
}

bool MoveOver(const std::string& from, const std::string& to) {
    for (int attempt = 0; attempt < kReplaceAttempts; ++attempt) {
        if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION &&
            error != ERROR_ACCESS_DENIED) {
            return false;
        }
        ::Sleep(kReplaceRetryMs);
    }
    return false;
}

void RemoveTemp(const std::string& temp) {
    ::SetFileAttributesA(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(temp.c_str());
}

}  // namespace

bool SaveReplacing(const std::string& target, const std::function<bool(const std::string& temp)>& writer) {
    const DWORD attributes = ::GetFileAttributesA(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    char temp[MAX_PATH] = {};
    if (!::GetTempFileNameA(FolderOf(target).c_str(), "tvl", 0, temp)) return false;
    const std::string tempPath = temp;

    bool ok = true;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        ok = ::CopyFileA(target.c_str(), tempPath.c_str(), FALSE) != FALSE;
    }
    ok = ok && writer(tempPath);
    // The profile functions must let go of the copy before it is moved or
    // removed; held in their cache, a failed write could recreate it later.
    FlushProfile(tempPath);
    ok = ok && FlushToDisk(tempPath) && MoveOver(tempPath, target);
    if (!ok) RemoveTemp(tempPath);
    return ok;
}
