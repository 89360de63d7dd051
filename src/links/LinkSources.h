#pragma once
// What a folder's link worker reads, kept for as long as it cannot have
// changed: the path analysis of each link path, and the columns of each
// file the links read. Without it an idle window with linked rows would
// analyse paths and read files all the time.
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "document/WriterId.h"
#include "links/LinkRules.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>

// This reader's own time in 100-nanosecond steps, steady (never set back
// or forward). Files' times come from the clock of whichever computer
// wrote them and are never compared with it. Tests give their own, so that
// how fresh a file is does not depend on the moment a test runs.
using FileClock = std::function<uint64_t()>;
uint64_t SteadyTime();

class LinkSources {
public:
    explicit LinkSources(FileClock clock = SteadyTime) : m_clock(std::move(clock)) {}

    // The path analysis of a link path (without its message). Made again
    // when the path's file appears or disappears, and after kReanalyseAfter
    // in any case. Valid until the next call.
    const PathAnalysis& Analyse(const std::string& link);

    // The columns a link shows: its companion file's while one exists and
    // its writer lives, the document's otherwise. A file is read again when
    // its time or size changes, and on every call until they have stayed
    // the same for kSettledAfter by this reader's clock (some file systems
    // keep times in steps of two seconds, so a change of the same size may
    // keep both).
    const PublishedColumns& Columns(const std::string& link, const DocPathParts& parts);

    // Within one look each file is looked at once, however many links read it.
    class Tick {
    public:
        explicit Tick(LinkSources& sources) : m_sources(sources) { m_sources.m_inTick = true; }
        ~Tick() {
            m_sources.m_inTick = false;
            m_sources.m_tickStamps.clear();
            m_sources.m_tickBelief.clear();
            m_sources.m_tickRead.clear();
        }
        Tick(const Tick&) = delete;
        Tick& operator=(const Tick&) = delete;

    private:
        LinkSources& m_sources;
    };

    static constexpr uint64_t kReanalyseAfter = 5ULL * 10'000'000;
    static constexpr uint64_t kSettledAfter = 3ULL * 10'000'000;
    // A companion file whose writer cannot be asked (another computer's) is
    // believed while it changes at least this often: its writer refreshes
    // it every few seconds.
    static constexpr uint64_t kLivesFor = 30ULL * 10'000'000;

private:
    struct AnalysisEntry {
        PathAnalysis analysis;
        bool fileExisted = false;
        uint64_t madeAt = 0;
    };
    struct FileEntry {
        FileStamp stamp;
        uint64_t stampSince = 0;  // when this reader first saw the stamp
        bool kept = false;
        std::string bytes;
        uint64_t changedAt = 0;  // when this reader last saw the bytes change
        PublishedColumns columns;
        std::optional<WriterId> writer;
    };

    FileStamp StampOf(const std::string& path);
    const FileEntry& Read(const std::string& path, const FileStamp& stamp);
    bool Believed(const std::string& path, const FileEntry& companion);

    FileClock m_clock;
    std::map<std::string, AnalysisEntry> m_analyses;
    std::map<std::string, FileEntry> m_files;
    std::map<std::string, FileStamp> m_tickStamps;
    std::map<std::string, bool> m_tickBelief;
    std::set<std::string> m_tickRead;
    bool m_inTick = false;
};
