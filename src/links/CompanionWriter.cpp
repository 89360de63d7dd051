#include "links/CompanionWriter.h"

#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "document/Profile.h"
#include "document/SafeSave.h"
#include "model/ControlIds.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kRemoveAttempts = 20;  // another instance, a scanner may hold the file a moment
constexpr DWORD kRemoveRetryMs = 50;

// Opens the file for a look and its removal, tried again while another
// instance or a scanner holds it; invalid when it is gone or stays held.
HANDLE OpenForRemoval(const std::string& path) {
    for (int attempt = 0; attempt < kRemoveAttempts; ++attempt) {
        const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | DELETE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = ::GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) break;
        ::Sleep(kRemoveRetryMs);
    }
    return INVALID_HANDLE_VALUE;
}

// Removes the file if it holds exactly these bytes. Opened without sharing
// writes or deletes, so no other instance can replace it between the
// comparison and the removal.
void RemoveIfHolding(const std::string& path, const std::string& bytes) {
    const HANDLE file = OpenForRemoval(path);
    if (file == INVALID_HANDLE_VALUE) return;
    std::string held;
    std::vector<char> chunk(bytes.size() + 1);
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) || read == 0) break;
        held.append(chunk.data(), read);
        if (held.size() > bytes.size()) break;
    }
    if (held == bytes) {
        FILE_DISPOSITION_INFO remove{TRUE};
        ::SetFileInformationByHandle(file, FileDispositionInfo, &remove, sizeof remove);
    }
    ::CloseHandle(file);
}

}  // namespace

CompanionWriter::CompanionWriter()
    : m_work(::CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_idle(::CreateEventA(nullptr, TRUE, TRUE, nullptr)) {
    m_thread.Start([this] { return Run(); });
}

CompanionWriter::~CompanionWriter() {
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_ending = true;
    }
    ::SetEvent(m_work);
    m_thread.Join();
    ::CloseHandle(m_work);
    ::CloseHandle(m_idle);
}

void CompanionWriter::Publish(const std::string& path, const PublishedColumns& columns) {
    m_published = Job{Kind::kWrite, path, columns};
    Ask(*m_published);
}

void CompanionWriter::Withdraw() {
    if (!m_published) return;
    Ask(Job{Kind::kRemove, m_published->path, {}});
    m_published.reset();
}

void CompanionWriter::KeepPresent() {
    if (m_published) Ask(Job{Kind::kRestore, m_published->path, m_published->columns});
}

bool CompanionWriter::WaitUntilIdle(DWORD limitMs) const { return ::WaitForSingleObject(m_idle, limitMs) == WAIT_OBJECT_0; }

void CompanionWriter::Ask(Job job) {
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        const auto samePath = [&job](const Job& waiting) { return waiting.path == job.path; };
        // A look whether the file is still there adds nothing to a write or
        // a removal that is waiting anyway.
        if (job.kind == Kind::kRestore && std::any_of(m_jobs.begin(), m_jobs.end(), samePath)) return;
        m_jobs.erase(std::remove_if(m_jobs.begin(), m_jobs.end(), samePath), m_jobs.end());
        m_jobs.push_back(std::move(job));
        ::ResetEvent(m_idle);
    }
    ::SetEvent(m_work);
}

unsigned CompanionWriter::Run() {
    for (;;) {
        ::WaitForSingleObject(m_work, INFINITE);
        for (;;) {
            Job job;
            {
                const std::lock_guard<std::mutex> hold(m_lock);
                if (m_jobs.empty()) {
                    ::SetEvent(m_idle);
                    if (m_ending) return 0;
                    break;
                }
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
            Do(job);
        }
    }
}

void CompanionWriter::Do(const Job& job) {
    switch (job.kind) {
        case Kind::kWrite: Write(job.path, job.columns); return;
        case Kind::kRestore:
            if (!StampOfFile(job.path).exists) Write(job.path, job.columns);
            return;
        case Kind::kRemove: {
            const auto written = m_written.find(job.path);
            if (written == m_written.end()) return;
            RemoveIfHolding(job.path, written->second);
            m_written.erase(written);
            return;
        }
    }
}

void CompanionWriter::Write(const std::string& path, const PublishedColumns& columns) {
    // The file as it is, the fourteen keys changed in it, and written whole
    // in one step: another instance never reads half a publication.
    // A file there that cannot be read now is not replaced by the fourteen
    // keys alone; the next publication or look tries again.
    IniFile companion;
    if (LoadIniFile(path, &companion) == IniLoad::kUnreadable) return;
    for (int column = 0; column < ids::kColumns; ++column) {
        const char* section = ids::ColumnLetter(column);
        companion.SetString(section, doc::kKeyName, OneLineValue(columns[column].strName));
        companion.SetString(section, doc::kKeySum, OneLineValue(columns[column].strSum));
    }
    std::string bytes = companion.Bytes();
    if (SaveReplacing(path, bytes, Durability::kWhole)) m_written[path] = std::move(bytes);
}
