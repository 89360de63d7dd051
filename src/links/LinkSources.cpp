#include "links/LinkSources.h"

#include "document/Profile.h"

namespace {

uint64_t FromFileTime(const FILETIME& t) { return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

uint64_t Now() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

}  // namespace

LinkSources::Stamp LinkSources::StampOf(const std::string& path) {
    if (m_inTick) {
        const auto kept = m_tickStamps.find(path);
        if (kept != m_tickStamps.end()) return kept->second;
    }
    Stamp stamp;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        stamp.exists = true;
        stamp.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        stamp.written = FromFileTime(data.ftLastWriteTime);
    }
    if (m_inTick) m_tickStamps[path] = stamp;
    return stamp;
}

const PathAnalysis& LinkSources::Analyse(const std::string& link) {
    const bool exists = StampOf(link).exists;
    const uint64_t now = Now();
    AnalysisEntry& entry = m_analyses[link];
    if (entry.madeAt == 0 || entry.fileExisted != exists || now - entry.madeAt > kReanalyseAfter) {
        entry = AnalysisEntry{AnalysePath(link), exists, now};
    }
    return entry.analysis;
}

const PublishedColumns& LinkSources::Columns(const std::string& link, const DocPathParts& parts) {
    const Stamp companion = StampOf(parts.strCompanionPath);
    const std::string& source = companion.exists ? parts.strCompanionPath : link;
    const Stamp stamp = companion.exists ? companion : StampOf(link);
    FileEntry& entry = m_files[source];
    const bool settled = entry.readAt > stamp.written + kSettledAfter;
    if (entry.readAt != 0 && entry.stamp == stamp && settled) return entry.columns;

    // What cannot be read shows as empty, and is tried again next time.
    IniFile file;
    const bool read = !stamp.exists || LoadIniFile(source, &file);
    entry = FileEntry{stamp, read ? Now() : 0, PublishedColumnsOf(file)};
    return entry.columns;
}
