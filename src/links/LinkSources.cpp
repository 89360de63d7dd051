#include "links/LinkSources.h"

#include "document/DocumentPath.h"
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

LinkSources::Analysis LinkSources::Analyse(const std::string& link) {
    const bool exists = StampOf(link).exists;
    const uint64_t now = Now();
    AnalysisEntry& entry = m_analyses[link];
    if (entry.madeAt == 0 || entry.fileExisted != exists || now - entry.madeAt > kReanalyseAfter) {
        Analysis analysis;
        std::string longForm;
        if (!LongFormOf(RemoveQuotes(link), &longForm)) {
            analysis.tooLong = true;
        } else if (const std::optional<DocPathParts> parts = SplitDocumentPath(longForm)) {
            analysis.parts = *parts;
        } else {
            analysis.refused = true;
        }
        entry = AnalysisEntry{analysis, exists, now};
    }
    return entry.analysis;
}

PublishedColumns LinkSources::Columns(const std::string& link, const Analysis& analysis) {
    const Stamp companion = StampOf(analysis.parts.strCompanionPath);
    const std::string& source = companion.exists ? analysis.parts.strCompanionPath : link;
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
