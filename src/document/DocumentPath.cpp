#include "document/DocumentPath.h"

#include "dialogkit/Win32.h"

#include <algorithm>
#include <cctype>

std::string RemoveQuotes(const std::string& path) {
    std::string out;
    out.reserve(path.size());
    std::copy_if(path.begin(), path.end(), std::back_inserter(out), [](char c) { return c != '"'; });
    return out;
}

std::optional<DocPathParts> SplitDocumentPath(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    if (path.size() - dot > kMaxExtensionWithDot) return std::nullopt;

    DocPathParts parts;
    parts.strExt = path.substr(dot);
    // Windows names ignore case: a ".PGW" kept as the document's own would
    // make the companion path name the document itself.
    if (SameTextIgnoringCase(parts.strExt, kCompanionExtension)) parts.strExt = kDocumentExtension;

    const std::string rest = path.substr(0, dot);
    const size_t slash = rest.rfind('\\');
    const std::string folder = slash == std::string::npos ? "." : rest.substr(0, slash);
    parts.strTitle = slash == std::string::npos ? rest : rest.substr(slash + 1);
    parts.strFullPath = folder + "\\" + parts.strTitle + parts.strExt;
    parts.strCompanionPath = folder + "\\" + parts.strTitle + kCompanionExtension;
    return parts;
}

PathAnalysis AnalysePath(const std::string& path) {
    PathAnalysis analysis;
    std::string longForm;
    analysis.tooLong = !LongFormOf(RemoveQuotes(path), &longForm);
    if (!analysis.tooLong) analysis.parts = SplitDocumentPath(longForm);
    return analysis;
}

bool SameTextIgnoringCase(const std::string& text, const std::string& lower) {
    return text.size() == lower.size() && std::equal(text.begin(), text.end(), lower.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == b;
           });
}

bool IsDocumentExtensionText(const std::string& ext) { return SameTextIgnoringCase(ext, kDocumentExtension); }

bool LongFormOf(const std::string& path, std::string* longForm) {
    char buffer[kLongPathBuffer] = {};
    ::SetLastError(ERROR_SUCCESS);
    const DWORD n = ::GetLongPathNameA(path.c_str(), buffer, kLongPathBuffer);
    // Some systems report a long form that does not fit as an error instead
    // of the size it needs.
    if (n >= kLongPathBuffer || (n == 0 && ::GetLastError() == ERROR_FILENAME_EXCED_RANGE)) return false;
    *longForm = n > 0 ? std::string(buffer, n) : path;
    return true;
}

std::string PathKey(const std::string& path) {
    char full[MAX_PATH] = {};
    const DWORD n = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    std::string key = n > 0 && n < MAX_PATH ? std::string(full, n) : path;
    ::CharLowerBuffA(key.data(), static_cast<DWORD>(key.size()));
    return key;
}
