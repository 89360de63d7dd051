#include "links/CompanionWriter.h"

#include "dialogkit/WorkerThread.h"
#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "document/Profile.h"
#include "document/SafeSave.h"
#include "document/WriterId.h"
#include "model/ControlIds.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

enum class Removal { kDone, kHeld };

// Removes the file if it holds exactly these bytes. Opened without sharing
// writes or deletes, so no other instance can replace it between the
// comparison and the removal. Held while another program keeps it open or
// the removal fails; done when it is gone or holds other bytes.
Removal RemoveIfHolding(const std::string& path, const std::string& bytes) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Removal::kDone : Removal::kHeld;
    }
    std::string held;
    std::vector<char> chunk(bytes.size() + 1);
    bool whole = true;
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) whole = false;
        if (!whole || read == 0) break;
        held.append(chunk.data(), read);
        if (held.size() > bytes.size()) break;
    }
    Removal result = whole ? Removal::kDone : Removal::kHeld;
    if (whole && held == bytes) {
        FILE_DISPOSITION_INFO remove{TRUE};
        if (!::SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove)) result = Removal::kHeld;
    }
    ::CloseHandle(file);
    return result;
}

// Whether the file holds exactly these bytes.
bool Holds(const std::string& path, const std::string& bytes) {
    std::string held;
    return ReadWholeFile(path, &held) && held == bytes;
}

}  // namespace

// What the window and the workers share: one lock for every target's
// state (never held across a file-system call), and the signal that a
// worker answered.
struct CompanionWriter::Shared {
    std::mutex lock;
    std::condition_variable answered;
    std::vector<std::shared_ptr<Target>> targets;  // every target with a worker
    // The writer has gone: a worker still makes one attempt at the last
    // state asked, but tries no more, so a file that stays held costs no
    // thread for the rest of the run.
    bool closed = false;

    bool Idle() const;
};

// One file: what the window wants of it, and how far its worker got.
struct CompanionWriter::Target {
    std::string path;
    HANDLE wake = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    // Under Shared::lock.
    bool hold = true;
    PublishedColumns columns;
    uint64_t asked = 0;
    uint64_t answered = 0;
    bool met = false;
    bool ended = false;

    Target() = default;
    ~Target() {
        if (wake) ::CloseHandle(wake);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;

    static void Run(const std::shared_ptr<Target>& target, const std::shared_ptr<Shared>& shared);
};

bool CompanionWriter::Shared::Idle() const {
    for (const std::shared_ptr<Target>& target : targets) {
        if (!target->ended && target->answered < target->asked) return false;
    }
    return true;
}

namespace {

// The worker's own record of the file: what it wrote there last.
struct Written {
    bool any = false;
    PublishedColumns columns;
    std::string bytes;
    unsigned writes = 0;
    DWORD at = 0;
};

// The file as it is, the fourteen keys and the writer changed in it, and
// written whole in one step: another instance never reads half a
// publication. A file there that cannot be read now is not replaced by the
// keys alone: false, and it is tried again.
bool Write(const std::string& path, const PublishedColumns& columns, Written* written) {
    IniFile companion;
    if (LoadIniFile(path, &companion) == IniLoad::kUnreadable) return false;
    for (int column = 0; column < ids::kColumns; ++column) {
        const char* section = ids::ColumnLetter(column);
        companion.SetString(section, doc::kKeyName, OneLineValue(columns[column].strName));
        companion.SetString(section, doc::kKeySum, OneLineValue(columns[column].strSum));
    }
    const unsigned writes = written->writes + 1;
    companion.SetString(doc::kSectionWriter, doc::kKeyWriter, WriterTag(ThisWriter()));
    companion.SetString(doc::kSectionWriter, doc::kKeyWrites, std::to_string(writes));
    std::string bytes = companion.Bytes();
    if (!SaveReplacing(path, bytes, Durability::kWhole)) return false;
    *written = Written{true, columns, std::move(bytes), writes, ::GetTickCount()};
    return true;
}

// Makes the file hold the columns; true when it does (or another instance
// has written it since, whose file it then is).
bool MakeHold(const std::string& path, const PublishedColumns& columns, Written* written) {
    if (!written->any || !(written->columns == columns)) return Write(path, columns, written);
    if (!StampOfFile(path).exists) return Write(path, columns, written);
    if (::GetTickCount() - written->at < CompanionWriter::refreshMs) return true;
    // Time to show readers elsewhere that the writer lives, while the file is still ours.
    return !Holds(path, written->bytes) || Write(path, columns, written);
}

// Removes the file if it still holds what was written there last; true
// when it is gone or holds another's bytes.
bool MakeGone(const std::string& path, Written* written) {
    if (written->any && RemoveIfHolding(path, written->bytes) == Removal::kHeld) return false;
    *written = Written{};
    return true;
}

}  // namespace

void CompanionWriter::Target::Run(const std::shared_ptr<Target>& target, const std::shared_ptr<Shared>& shared) {
    Written written;
    for (;;) {
        bool hold = true;
        PublishedColumns columns;
        uint64_t asked = 0;
        {
            const std::lock_guard<std::mutex> guard(shared->lock);
            hold = target->hold;
            columns = target->columns;
            asked = target->asked;
        }
        const bool met = hold ? MakeHold(target->path, columns, &written) : MakeGone(target->path, &written);
        bool done = false;
        {
            const std::lock_guard<std::mutex> guard(shared->lock);
            target->answered = asked;
            target->met = met;
            // Gone as asked, and nothing new asked meanwhile: this worker's work is done.
            done = target->asked == asked && WorkerEnds(hold, met, shared->closed);
            target->ended = done;
        }
        shared->answered.notify_all();
        if (done) return;
        ::WaitForSingleObject(target->wake, met ? refreshMs.load() : kRetryMs);
    }
}

CompanionWriter::CompanionWriter() : m_shared(std::make_shared<Shared>()) {}

CompanionWriter::~CompanionWriter() {
    Withdraw();
    WaitUntilIdle(kExitWaitMs);
    const std::lock_guard<std::mutex> guard(m_shared->lock);
    m_shared->closed = true;
    for (const std::shared_ptr<Target>& target : m_shared->targets) ::SetEvent(target->wake);
}

void CompanionWriter::Ask(const std::string& path, bool hold, const PublishedColumns& columns) {
    std::shared_ptr<Target>& target = m_targets[path];
    bool fresh = false;
    {
        const std::lock_guard<std::mutex> guard(m_shared->lock);
        if (target && !target->ended) {
            target->hold = hold;
            target->columns = columns;
            ++target->asked;
        } else {
            // A new worker starts on what is asked; one whose work was done has ended.
            std::erase_if(m_shared->targets, [](const std::shared_ptr<Target>& t) { return t->ended; });
            target = std::make_shared<Target>();
            target->path = path;
            target->hold = hold;
            target->columns = columns;
            target->asked = 1;
            m_shared->targets.push_back(target);
            fresh = true;
        }
    }
    if (fresh) {
        Start(target);
    } else {
        ::SetEvent(target->wake);
    }
}

void CompanionWriter::Start(const std::shared_ptr<Target>& target) {
    // Without a worker (or its signal) the state is never made true: one is
    // tried again with the next request.
    if (!target->wake || !dialogkit::StartDetachedThread([target, shared = m_shared] { Target::Run(target, shared); })) {
        const std::lock_guard<std::mutex> guard(m_shared->lock);
        target->ended = true;
    }
}

void CompanionWriter::Publish(const std::string& path, const PublishedColumns& columns) {
    if (!m_publishedPath.empty() && m_publishedPath != path) Withdraw();
    m_publishedPath = path;
    Ask(path, true, columns);
}

void CompanionWriter::Withdraw() {
    if (m_publishedPath.empty()) return;
    Ask(m_publishedPath, false, {});
    m_publishedPath.clear();
}

void CompanionWriter::Tick() {
    for (auto it = m_targets.begin(); it != m_targets.end();) {
        Target& target = *it->second;
        bool ask = false;
        {
            const std::lock_guard<std::mutex> guard(m_shared->lock);
            if (target.ended) {
                it = m_targets.erase(it);
                continue;
            }
            ask = target.hold || !target.met;
            if (ask) ++target.asked;
        }
        if (ask) ::SetEvent(target.wake);
        ++it;
    }
}

bool CompanionWriter::WaitUntilIdle(DWORD limitMs) const {
    std::unique_lock<std::mutex> guard(m_shared->lock);
    return m_shared->answered.wait_for(guard, std::chrono::milliseconds(limitMs), [this] { return m_shared->Idle(); });
}
