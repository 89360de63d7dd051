#pragma once
// What a folder's link worker reads, kept for as long as it cannot have
// changed: the path analysis of each link path, and the columns of each
// file the links read. Without it an idle window with linked rows would
// analyse paths and read files all the time.
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "links/LinkRules.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

// The time in 100-nanosecond steps since 1601, as file times count. Tests
// give their own, so that how fresh a file is does not depend on the moment
// a test runs.
using FileClock = std::function<uint64_t()>;
uint64_t SystemFileTime();

class LinkSources {
public:
    explicit LinkSources(FileClock clock = SystemFileTime) : m_clock(std::move(clock)) {}

    // The path analysis of a link path (without its message). Made again
    // when the path's file appears or disappears, and after kReanalyseAfter
    // in any case. Valid until the next call.
    const PathAnalysis& Analyse(const std::string& link);

    // The columns a link shows: its companion file's while one exists, the
    // document's otherwise. A file is read again when its time or size
    // changes, and on every call while its time is too recent to tell a
    // later change (some file systems keep times in steps of two seconds).
    const PublishedColumns& Columns(const std::string& link, const DocPathParts& parts);

    // Within one look each file is looked at once, however many links read it.
    class Tick {
    public:
        explicit Tick(LinkSources& sources) : m_sources(sources) { m_sources.m_inTick = true; }
        ~Tick() {
            m_sources.m_inTick = false;
            m_sources.m_tickStamps.clear();
        }
        Tick(const Tick&) = delete;
        Tick& operator=(const Tick&) = delete;

    private:
        LinkSources& m_sources;
    };

    static constexpr uint64_t kReanalyseAfter = 5ULL * 10'000'000;
    static constexpr uint64_t kSettledAfter = 3ULL * 10'000'000;

private:
    struct AnalysisEntry {
        PathAnalysis analysis;
        bool fileExisted = false;
        uint64_t madeAt = 0;
    };
    struct FileEntry {
        FileStamp stamp;
        uint64_t readAt = 0;  // 0: nothing kept
        PublishedColumns columns;
    };

    FileStamp StampOf(const std::string& path);

    FileClock m_clock;
    std::map<std::string, AnalysisEntry> m_analyses;
    std::map<std::string, FileEntry> m_files;
    std::map<std::string, FileStamp> m_tickStamps;
    bool m_inTick = false;
};
