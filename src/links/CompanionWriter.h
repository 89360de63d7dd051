#pragma once
// The companion file of this instance's document, written and removed by a
// worker of its own: the document may lie in a folder that stops
// answering, and the window must never wait for it. Work asked for one file
// replaces what was still waiting for it: only the last word counts.
#include "dialogkit/WorkerThread.h"
#include "links/LinkRules.h"

#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>

class CompanionWriter {
public:
    CompanionWriter();
    // Finishes what was asked (the window is gone by then, so nobody waits
    // for it but the ending process).
    ~CompanionWriter();
    CompanionWriter(const CompanionWriter&) = delete;
    CompanionWriter& operator=(const CompanionWriter&) = delete;

    // Writes the columns into the file at path, keeping what else it holds,
    // whole in one step.
    void Publish(const std::string& path, const PublishedColumns& columns);
    // Removes the published file, but only while it still holds what this
    // instance wrote there last: another instance with the same document
    // may have written it since.
    void Withdraw();
    // Writes the published file again if it has gone (another instance
    // with the same document removed what they both had written).
    void KeepPresent();
    // Waits until nothing is left to do; false when that took longer.
    bool WaitUntilIdle(DWORD limitMs) const;

private:
    enum class Kind { kWrite, kRemove, kRestore };
    struct Job {
        Kind kind = Kind::kWrite;
        std::string path;
        PublishedColumns columns;
    };

    void Ask(Job job);
    unsigned Run();
    void Do(const Job& job);
    void Write(const std::string& path, const PublishedColumns& columns);

    // The window's side: what is published now.
    std::optional<Job> m_published;

    std::mutex m_lock;
    std::deque<Job> m_jobs;
    bool m_ending = false;
    HANDLE m_work = nullptr;
    HANDLE m_idle = nullptr;
    // The worker's side: the bytes it last wrote into each file.
    std::map<std::string, std::string> m_written;
    dialogkit::WorkerThread m_thread;
};
