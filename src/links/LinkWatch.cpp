#include "links/LinkWatch.h"

#include "dialogkit/WorkerThread.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {

constexpr DWORD kWatchedChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE;
// A folder is watched only once a look in it came back this fast: setting a
// watch up asks the Wine server to look the folder up, and a folder that
// hangs then would hold the server, every Wine program with it.
constexpr DWORD kPromptLookMs = 250;
// A folder that changes all the time (another program writing there) is
// looked at no more often than this. It is also the pause after a signal
// that lets a save's copy and its move into place be seen in one look: a
// companion file's copy is written, flushed, read back and moved within a
// few milliseconds. A slower save is not missed: the watch is armed again
// before the pause, so its move signals once more.
constexpr DWORD kLookSpacingMs = 10;

std::string FolderOf(const std::string& link) {
    const size_t slash = link.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    // "C:" alone would be the drive's current folder, not its root.
    const std::string folder = link.substr(0, slash);
    return folder.empty() || folder.back() == ':' ? folder + "\\" : folder;
}

std::string FolderKey(const std::string& folder) {
    std::string key = folder;
    ::CharLowerBuffA(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

std::wstring Wide(const std::string& text) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
    wide.resize(static_cast<size_t>(n - 1));
    return wide;
}

// An event handle closed with its owner.
class Event {
public:
    explicit Event(bool manualReset) : m_h(::CreateEventA(nullptr, manualReset, FALSE, nullptr)) {}
    ~Event() {
        if (m_h) ::CloseHandle(m_h);
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    HANDLE Get() const { return m_h; }
    void Set() const { ::SetEvent(m_h); }

private:
    HANDLE m_h;
};

// A folder's change notification: set up once, re-armed after each signal.
class FolderNotification {
public:
    ~FolderNotification() { Close(); }
    FolderNotification() = default;
    FolderNotification(const FolderNotification&) = delete;
    FolderNotification& operator=(const FolderNotification&) = delete;
    bool Armed() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    void Arm(const std::string& folder) {
        m_h = ::FindFirstChangeNotificationW(Wide(folder).c_str(), FALSE, kWatchedChanges);
    }
    void Rearm() {
        if (!::FindNextChangeNotification(m_h)) Close();
    }

private:
    void Close() {
        if (Armed()) ::FindCloseChangeNotification(m_h);
        m_h = INVALID_HANDLE_VALUE;
    }
    HANDLE m_h = INVALID_HANDLE_VALUE;
};

}  // namespace

// Where the workers leave what they found for the window.
struct LinkWatch::Inbox {
    HWND window = nullptr;
    UINT message = 0;
    std::mutex lock;
    unsigned epoch = 0;
    std::map<std::string, LinkLook> arrived;
    // A message is on its way: none is posted again until the window has
    // collected, so a busy folder cannot flood the window's queue.
    bool announced = false;

    void Deliver(std::map<std::string, LinkLook>& looks, unsigned from) {
        bool announce = false;
        {
            const std::lock_guard<std::mutex> hold(lock);
            if (from != epoch) return;
            for (auto& [link, look] : looks) arrived[link] = std::move(look);
            announce = !announced;
            announced = true;
        }
        if (announce) ::PostMessageA(window, message, 0, 0);
    }
};

// One folder's worker and what the window asks of it.
struct LinkWatch::Folder {
    std::string path;
    Event stop{true};
    Event wake{false};
    std::atomic<bool> retired{false};
    std::mutex lock;
    std::vector<std::string> links;
    unsigned epoch = 0;
    uint64_t asked = 0;
    uint64_t answered = 0;

    static void Run(const std::shared_ptr<Folder>& folder, const std::shared_ptr<Inbox>& inbox, const FileClock& clock);
};

void LinkWatch::Folder::Run(const std::shared_ptr<Folder>& folder, const std::shared_ptr<Inbox>& inbox,
                            const FileClock& clock) {
    LinkSources sources(clock);
    FolderNotification changes;
    // What this worker delivered last for each link, for the document of
    // toldEpoch: only what differs is delivered again.
    std::map<std::string, LinkLook> told;
    unsigned toldEpoch = 0;
    for (;;) {
        // The stop first; the folder's notification only while it is armed.
        const HANDLE waits[] = {folder->stop.Get(), folder->wake.Get(), changes.Get()};
        const DWORD signalled = ::WaitForMultipleObjects(changes.Armed() ? 3 : 2, waits, FALSE, INFINITE);
        if (signalled != WAIT_OBJECT_0 + 1 && signalled != WAIT_OBJECT_0 + 2) return;
        if (signalled == WAIT_OBJECT_0 + 2) {
            // Armed again before the pause: a move that comes after it
            // signals once more and is looked at then, not at a tick.
            changes.Rearm();
            if (::WaitForSingleObject(folder->stop.Get(), kLookSpacingMs) != WAIT_TIMEOUT) return;
        }

        std::vector<std::string> links;
        uint64_t asked = 0;
        unsigned epoch = 0;
        {
            const std::lock_guard<std::mutex> hold(folder->lock);
            links = folder->links;
            asked = folder->asked;
            epoch = folder->epoch;
        }
        if (epoch != toldEpoch) {
            told.clear();
            toldEpoch = epoch;
        }
        const DWORD start = ::GetTickCount();
        std::map<std::string, LinkLook> news;
        {
            const LinkSources::Tick look(sources);
            for (const std::string& link : links) {
                LinkLook found{sources.Analyse(link), {}};
                if (found.analysis.parts) found.columns = sources.Columns(link, *found.analysis.parts);
                const auto last = told.find(link);
                if (last != told.end() && last->second == found) continue;
                told[link] = found;
                news.emplace(link, std::move(found));
            }
        }
        if (!news.empty() && !folder->retired) inbox->Deliver(news, epoch);
        {
            const std::lock_guard<std::mutex> hold(folder->lock);
            folder->answered = asked;
        }
        if (!changes.Armed() && !links.empty() && ::GetTickCount() - start < kPromptLookMs) changes.Arm(folder->path);
    }
}

LinkWatch::LinkWatch(HWND window, UINT message, FileClock clock)
    : m_inbox(std::make_shared<Inbox>()), m_clock(std::move(clock)) {
    m_inbox->window = window;
    m_inbox->message = message;
}

LinkWatch::~LinkWatch() {
    for (const auto& [key, folder] : m_folders) {
        folder->retired = true;
        folder->stop.Set();
    }
}

void LinkWatch::Look(const std::vector<std::string>& links) {
    unsigned epoch = 0;
    {
        const std::lock_guard<std::mutex> hold(m_inbox->lock);
        epoch = m_inbox->epoch;
    }
    std::map<std::string, std::vector<std::string>> byFolder;
    for (const std::string& link : links) {
        if (link.empty()) continue;
        std::vector<std::string>& inFolder = byFolder[FolderKey(FolderOf(link))];
        if (std::find(inFolder.begin(), inFolder.end(), link) == inFolder.end()) inFolder.push_back(link);
    }
    for (auto it = m_folders.begin(); it != m_folders.end();) {
        if (byFolder.count(it->first)) {
            ++it;
            continue;
        }
        it->second->retired = true;
        it->second->stop.Set();
        it = m_folders.erase(it);
    }
    for (auto& [key, inFolder] : byFolder) {
        std::shared_ptr<Folder>& folder = m_folders[key];
        if (!folder) {
            auto started = std::make_shared<Folder>();
            started->path = FolderOf(inFolder.front());
            if (!dialogkit::StartDetachedThread(
                    [started, inbox = m_inbox, clock = m_clock] { Folder::Run(started, inbox, clock); })) {
                m_folders.erase(key);
                continue;
            }
            folder = std::move(started);
        }
        {
            const std::lock_guard<std::mutex> hold(folder->lock);
            folder->links = std::move(inFolder);
            folder->epoch = epoch;
            ++folder->asked;
        }
        folder->wake.Set();
    }
}

void LinkWatch::Forget() {
    {
        const std::lock_guard<std::mutex> hold(m_inbox->lock);
        ++m_inbox->epoch;
        m_inbox->arrived.clear();
    }
    m_kept.clear();
}

std::set<std::string> LinkWatch::Collect() {
    std::map<std::string, LinkLook> arrived;
    {
        const std::lock_guard<std::mutex> hold(m_inbox->lock);
        arrived.swap(m_inbox->arrived);
        m_inbox->announced = false;
    }
    std::set<std::string> changed;
    for (auto& [link, look] : arrived) {
        const auto kept = m_kept.find(link);
        if (kept != m_kept.end() && kept->second == look) continue;
        m_kept[link] = std::move(look);
        changed.insert(link);
    }
    return changed;
}

const LinkLook* LinkWatch::Find(const std::string& link) const {
    const auto kept = m_kept.find(link);
    return kept == m_kept.end() ? nullptr : &kept->second;
}

bool LinkWatch::Settled() const {
    // In the reverse of the order a worker writes them (what it found,
    // then that it answered): an answer seen here has its findings in the
    // inbox already.
    for (const auto& [key, folder] : m_folders) {
        const std::lock_guard<std::mutex> hold(folder->lock);
        if (folder->answered < folder->asked) return false;
    }
    const std::lock_guard<std::mutex> hold(m_inbox->lock);
    return m_inbox->arrived.empty();
}
