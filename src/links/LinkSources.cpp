#include "links/LinkSources.h"

#include "dialogkit/Win32.h"
#include "document/SafeSave.h"

namespace {

constexpr uint64_t kStepsPerMs = 10'000;

}  // namespace

uint64_t SteadyTime() { return ::GetTickCount64() * kStepsPerMs; }

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
    const std::string& companionPath = parts.strCompanionPath;
    const FileStamp companion = StampOf(companionPath);
    if (companion.exists) {
        const FileEntry& entry = Read(companionPath, companion);
        if (Believed(companionPath, entry)) return entry.columns;
    }
    return Read(link, StampOf(link)).columns;
}

const LinkSources::FileEntry& LinkSources::Read(const std::string& path, const FileStamp& stamp) {
    const uint64_t now = m_clock();
    FileEntry& entry = m_files[path];
    if (entry.stampSince == 0 || !(entry.stamp == stamp)) {
        entry.stamp = stamp;
        entry.stampSince = now;
        entry.kept = false;
    }
    // Within one look a file is read once, however many links show it.
    const bool settled = now - entry.stampSince > kSettledAfter;
    const bool readThisLook = m_inTick && !m_tickRead.insert(path).second;
    if (entry.kept && (settled || readThisLook)) return entry;

    // What cannot be read shows as empty, and is tried again next time.
    std::string bytes;
    IniFile file;
    entry.kept = !stamp.exists || ReadWholeFile(path, &bytes);
    IniFromBytes(bytes, &file);
    if (entry.changedAt == 0 || bytes != entry.bytes) entry.changedAt = now;
    entry.bytes = std::move(bytes);
    entry.columns = PublishedColumnsOf(file);
    entry.writer = CompanionWriterOf(file);
    return entry;
}

bool LinkSources::Believed(const std::string& path, const FileEntry& companion) {
    // Written by another program, which says nothing of its writer.
    if (!companion.writer) return true;
    if (m_inTick) {
        const auto kept = m_tickBelief.find(path);
        if (kept != m_tickBelief.end()) return kept->second;
    }
    bool believed = true;
    switch (StateOf(*companion.writer)) {
        case WriterState::kRunning: believed = true; break;
        case WriterState::kGone: believed = false; break;
        case WriterState::kUnknown: believed = m_clock() - companion.changedAt <= kLivesFor; break;
    }
    if (m_inTick) m_tickBelief[path] = believed;
    return believed;
}
