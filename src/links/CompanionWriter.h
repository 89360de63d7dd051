#pragma once
// The companion files of this instance's documents, each kept by a worker
// of its own: a document may lie in a folder that stops answering, and
// neither the window nor another file may wait for it. What the window
// asks for a file is a state the worker makes true and keeps true, tried
// again until it holds or the window asks for another: the file holds
// these columns, or it is gone if it still holds what this instance wrote.
#include "dialogkit/Win32.h"
#include "links/LinkRules.h"

#include <atomic>
#include <map>
#include <memory>
#include <string>

class CompanionWriter {
public:
    CompanionWriter();
    // Waits a moment for the removals asked for; a file that does not
    // answer by then is left to the workers, which the ending process
    // takes with it (readers know a file whose writer is gone).
    ~CompanionWriter();
    CompanionWriter(const CompanionWriter&) = delete;
    CompanionWriter& operator=(const CompanionWriter&) = delete;

    // The file at path is to hold the columns, beside whatever else it
    // holds, written whole in one step, with this process as its writer.
    // It is written again at least every kRefreshMs, while nobody else has
    // written it since, so that readers on other computers see it lives.
    void Publish(const std::string& path, const PublishedColumns& columns);
    // The published file is to go, but only while it still holds what this
    // instance wrote there last: another instance with the same document
    // may have written it since.
    void Withdraw();
    // What is not yet true is tried again, and a published file that has
    // gone (another instance with the same document removed what they
    // both had written) is written again.
    void Tick();
    // Waits until every worker has done what was asked; false when that
    // took longer.
    bool WaitUntilIdle(DWORD limitMs) const;

    static constexpr DWORD kRefreshMs = 8000;
    // The refresh period in force: a test whose files must change only when
    // it says so turns the refresh off (INFINITE).
    static inline std::atomic<DWORD> refreshMs{kRefreshMs};
    static constexpr DWORD kRetryMs = 1000;
    static constexpr DWORD kExitWaitMs = 2000;

    // Whether a worker ends after an attempt at what was asked last (a
    // newer request always keeps it going):
    //
    //   asked  attempt   writer    the worker
    //   hold   met       open      stays: refreshes every refreshMs
    //   hold   not met   open      stays: tries again every kRetryMs
    //   gone   met       open      ends: the file is gone or another's
    //   gone   not met   open      stays: tries again every kRetryMs
    //   any    any       closed    ends: one attempt after the close, no more
    static constexpr bool WorkerEnds(bool hold, bool met, bool closed) { return closed || (!hold && met); }

private:
    struct Shared;
    struct Target;

    // The state asked for the file at path, given to its worker; a worker
    // is started where none runs.
    void Ask(const std::string& path, bool hold, const PublishedColumns& columns);
    void Start(const std::shared_ptr<Target>& target);

    std::shared_ptr<Shared> m_shared;
    std::map<std::string, std::shared_ptr<Target>> m_targets;
    std::string m_publishedPath;  // empty: nothing published
};
