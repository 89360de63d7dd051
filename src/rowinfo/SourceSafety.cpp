#include "rowinfo/SourceSafety.h"

#include "dialogkit/Format.h"
#include "dialogkit/LateModules.h"
#include "dialogkit/Seams.h"

#include <shlwapi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace rowinfo {

namespace {

constexpr const char* kRunsProgramQuestion = "Die Quelle   %s   startet ein Programm. Trotzdem öffnen ?";

// Programs, scripts, installers, shortcuts and the files that configure or
// launch them: the shell runs each of these rather than showing it.
constexpr auto kProgramExtensions = std::to_array<std::string_view>({
    ".ade", ".adp", ".app", ".appref-ms", ".application", ".appx", ".appxbundle", ".bas", ".bat",
    ".chm", ".cmd", ".com", ".cpl", ".diagcab", ".exe", ".gadget", ".hlp", ".hta", ".inf",
    ".ins", ".isp", ".jar", ".js", ".jse", ".lnk", ".mde", ".msc", ".msi", ".msix", ".msp", ".mst",
    ".pif", ".ps1", ".psm1", ".reg", ".scf", ".scr", ".sct", ".settingcontent-ms", ".shb", ".shs",
    ".url", ".vb", ".vbe", ".vbs", ".website", ".ws", ".wsc", ".wsf", ".wsh", ".xbap"});

// Schemes that only show a page or write a mail.
constexpr auto kWebSchemes = std::to_array<std::string_view>({"http", "https", "mailto", "ftp"});
constexpr std::string_view kFileScheme = "file";
constexpr unsigned char kDelete = 0x7F;
constexpr DWORD kUrlPathBuffer = 2048;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Blanks and quotes around a source do not reach the file name.
std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\"");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
}

// "hyper-link" in "hyper-link:..."; empty where there is none. A single
// letter before the colon is a drive.
constexpr size_t kDriveLetterLength = 1;

std::string SchemeOf(const std::string& source) {
    const size_t colon = source.find(':');
    if (colon == std::string::npos || colon <= kDriveLetterLength || !std::isalpha(static_cast<unsigned char>(source[0]))) return {};
    for (size_t i = 1; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(source[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return {};
    }
    return Lower(source.substr(0, colon));
}

// "%2E" in a URL stands for the character 0x2E.
constexpr size_t kEscapeLength = 3;
constexpr int kHexBase = 16;

std::string PercentDecoded(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned value = 0;
        const char* escape = text.data() + i;
        if (*escape == '%' && i + kEscapeLength <= text.size() &&
            std::from_chars(escape + 1, escape + kEscapeLength, value, kHexBase).ptr == escape + kEscapeLength) {
            out += static_cast<char>(value);
            i += kEscapeLength - 1;
        } else {
            out += *escape;
        }
    }
    return out;
}

// A character below the blank (an escaped NUL among them) or DEL: what the
// shell makes of such a name is not what the check would see.
bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return c < ' ' || c == kDelete; });
}

// The path the platform itself makes of a "file:" URL, "#" and "?"
// included, as the shell opens it; nothing where it makes none.
std::optional<std::string> FileUrlPath(const std::string& url) {
    char path[kUrlPathBuffer] = {};
    DWORD size = kUrlPathBuffer;
    const auto fromUrl = dialogkit::LateFunction<decltype(&::PathCreateFromUrlA)>(dialogkit::kShellLight, "PathCreateFromUrlA");
    if (!fromUrl || fromUrl(url.c_str(), path, &size, 0) != S_OK || size >= kUrlPathBuffer) return std::nullopt;
    return std::string(path, size);
}

// The type of a file's name: Windows drops dots and blanks at the end of a
// name, and a colon starts a stream whose own name counts.
std::string ExtensionOf(const std::string& path) {
    std::string name = path.substr(path.find_last_of("\\/:") + 1);
    name.erase(name.find_last_not_of(". ") + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : Lower(name.substr(dot));
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WindowsCountsDangerous(const std::string& extension) {
    std::wstring wide(extension.size() + 1, L'\0');
    const int n = ::MultiByteToWideChar(CP_ACP, 0, extension.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    const auto dangerous = dialogkit::LateFunction<decltype(&::AssocIsDangerous)>(dialogkit::kShellLight, "AssocIsDangerous");
    return n > 0 && dangerous && dangerous(wide.c_str());
}

}  // namespace

SourceTarget TargetOf(const std::string& source) {
    const std::string trimmed = Trimmed(source);
    const std::string scheme = SchemeOf(trimmed);
    SourceTarget target;
    if (HasControlCharacter(trimmed) || HasControlCharacter(PercentDecoded(trimmed))) {
        target.kind = SourceTarget::Kind::Unclear;
        return target;
    }
    if (std::find(kWebSchemes.begin(), kWebSchemes.end(), scheme) != kWebSchemes.end()) {
        target.kind = SourceTarget::Kind::Web;
        return target;
    }
    if (!scheme.empty() && scheme != kFileScheme) {
        target.kind = SourceTarget::Kind::OtherScheme;
        return target;
    }
    const std::optional<std::string> file = scheme.empty() ? trimmed : FileUrlPath(trimmed);
    if (!file || HasControlCharacter(*file)) {
        target.kind = SourceTarget::Kind::Unclear;
        return target;
    }
    target.file = *file;
    target.extension = ExtensionOf(target.file);
    return target;
}

bool IsProgramExtension(const std::string& extension) {
    return std::find(kProgramExtensions.begin(), kProgramExtensions.end(), extension) != kProgramExtensions.end();
}

bool SourceRunsProgram(const std::string& source) {
    const SourceTarget target = TargetOf(source);
    if (target.kind != SourceTarget::Kind::File) return target.kind != SourceTarget::Kind::Web;
    if (IsProgramExtension(target.extension)) return true;
    if (IsFolder(target.file)) return false;
    return target.extension.empty() || WindowsCountsDangerous(target.extension);
}

void OpenSourceAsking(const std::string& source, HWND owner) {
    if (source.empty()) return;
    if (SourceRunsProgram(source) &&
        dialogkit::AppMessageBox(dialogkit::Format(kRunsProgramQuestion, source.c_str()), MB_YESNO | MB_DEFBUTTON2,
                                 owner) != IDYES) {
        return;
    }
    dialogkit::ShellOpen(source);
}

}  // namespace rowinfo
