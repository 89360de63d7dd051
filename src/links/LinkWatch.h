#pragma once
// Linked documents are looked at by worker threads, one per folder, never
// by the window's thread: a look-up in a share whose server went away
// blocks for half a minute, and only the rows linked into that folder may
// wait for it. A folder's worker looks when the window asks (every link
// tick) and as soon as the folder signals a change; what it finds reaches
// the window as a posted message, and the window takes it from here. A
// worker stuck in the file system is left behind, never waited for.
#include "links/LinkSources.h"

#include "dialogkit/Win32.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// What a link shows, as its folder's worker last found it.
struct LinkLook {
    PathAnalysis analysis;
    PublishedColumns columns;
    bool operator==(const LinkLook&) const = default;
};

class LinkWatch {
public:
    // Arrivals are announced by posting `message` to `window`.
    LinkWatch(HWND window, UINT message, FileClock clock = SteadyTime);
    // Every worker is asked to end; none is waited for.
    ~LinkWatch();
    LinkWatch(const LinkWatch&) = delete;
    LinkWatch& operator=(const LinkWatch&) = delete;

    // The link paths the rows hold now: each folder's worker looks at its
    // own at once. Workers of folders no longer linked are let go.
    void Look(const std::vector<std::string>& links);
    // Another document: what was found is forgotten, and what a worker
    // still brings from before is dropped.
    void Forget();
    // Takes what the workers found since the last call; returns the links
    // whose look changed.
    std::set<std::string> Collect();
    // The last look at a link, or none yet.
    const LinkLook* Find(const std::string& link) const;
    // Every look asked for has been answered and collected.
    bool Settled() const;
    // The clock of the workers started from now on.
    void SetClock(FileClock clock) { m_clock = std::move(clock); }

private:
    struct Inbox;
    struct Folder;

    std::shared_ptr<Inbox> m_inbox;
    std::map<std::string, std::shared_ptr<Folder>> m_folders;  // by folder, ignoring case
    std::map<std::string, LinkLook> m_kept;
    FileClock m_clock;
};
