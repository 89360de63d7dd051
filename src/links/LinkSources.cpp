#include "links/LinkSources.h"

#include "dialogkit/Win32.h"

uint64_t SystemFileTime() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return (static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

FileStamp LinkSources::StampOf(const std::string& path) {
    if (m_inTick) {
        const auto kept = m_tickStamps.find(path);
        if (kept != m_tickStamps.end()) return kept->second;
    }
    const FileStamp stamp = StampOfFile(path);
    if (m_inTick) m_tickStamps[path] = stamp;
    return stamp;
}

const PathAnalysis& LinkSources::Analyse(const std::string& link) {
    const bool exists = StampOf(link).exists;
    const uint64_t now = m_clock();
    AnalysisEntry& entry = m_analyses[link];
    if (entry.madeAt == 0 || entry.fileExisted != exists || now - entry.madeAt > kReanalyseAfter) {
        entry = AnalysisEntry{AnalysePath(link), exists, now};
    }
    return entry.analysis;
}

const PublishedColumns& LinkSources::Columns(const std::string& link, const DocPathParts& parts) {
    const FileStamp companion = StampOf(parts.strCompanionPath);
    const std::string& source = companion.exists ? parts.strCompanionPath : link;
    const FileStamp stamp = companion.exists ? companion : StampOf(link);
    FileEntry& entry = m_files[source];
    const bool settled = entry.readAt > stamp.written + kSettledAfter;
    if (entry.readAt != 0 && entry.stamp == stamp && settled) return entry.columns;

    // What cannot be read shows as empty, and is tried again next time.
    IniFile file;
    const bool read = !stamp.exists || LoadIniFile(source, &file) != IniLoad::kUnreadable;
    entry = FileEntry{stamp, read ? m_clock() : 0, PublishedColumnsOf(file)};
    return entry.columns;
}
