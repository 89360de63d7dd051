#pragma once
#include "app/PriceListDlg.h"

#include <optional>
#include <string>

inline constexpr const char* kDocumentExtension = ".pgx";
inline constexpr const char* kCompanionExtension = ".pgw";
inline constexpr size_t kMaxExtensionWithDot = 5;
inline constexpr size_t kLongPathBuffer = 260;
inline constexpr const char* kPathTooLongMessage = "Der Zielpfad ist zu lang !!!";

// The path without any double quotation mark.
std::string RemoveQuotes(const std::string& path);

// Splits a path into folder, title and extension: the extension runs from
// the last dot (at most four characters after it); ".pgw" (in any case)
// stands for ".pgx". Without a folder, "." takes its place. Nothing when the
// path has no dot or too long an extension.
std::optional<DocPathParts> SplitDocumentPath(const std::string& path);

// The long form of a path (short 8.3 names expanded) in *longForm: the path
// itself when it has none (no such file yet). False when the long form
// needs 260 or more characters.
bool LongFormOf(const std::string& path, std::string* longForm);

// What the path analysis makes of a path given to it: quotes removed, the
// long form taken, then split. Refused when the long form needs 260 or
// more characters (tooLong; the caller says so) or the split finds no
// extension it takes (no parts).
struct PathAnalysis {
    bool tooLong = false;
    std::optional<DocPathParts> parts;
    bool operator==(const PathAnalysis&) const = default;
};
PathAnalysis AnalysePath(const std::string& path);

// Whether text equals the lower-case text, ignoring case.
bool SameTextIgnoringCase(const std::string& text, const std::string& lower);

// ".pgx" ignoring case.
bool IsDocumentExtensionText(const std::string& ext);

// A file's full path in one spelling (upper and lower case are one file),
// for telling whether two paths name the same file.
std::string PathKey(const std::string& path);
