#pragma once
// Whether a row's source would start a program when the shell opens it: a
// document from elsewhere must not run one with a single gesture.
#include "dialogkit/Win32.h"

#include <string>

namespace rowinfo {

// How a source reaches the shell: a web or mail address the browser or
// mail program takes, an address of any other scheme (whatever registered
// it runs), a file (a "file:" URL counts as the path the platform makes of
// it), or a source the check cannot take apart cleanly (a control
// character, an escaped one included, or a URL the platform makes no path
// of), which is asked about.
struct SourceTarget {
    enum class Kind { Web, OtherScheme, File, Unclear };
    Kind kind = Kind::File;
    std::string file;       // the file's path, for Kind::File
    std::string extension;  // its type in lower case with the dot; empty without one
};

SourceTarget TargetOf(const std::string& source);

// The types that start a program whatever the machine's own list says.
bool IsProgramExtension(const std::string& extension);

// The above, and what Windows counts as dangerous; a name without a type
// runs a program (the shell tries the program types) unless it is a folder.
bool SourceRunsProgram(const std::string& source);

// Opens a source with the shell; one that would start a program only after
// the user said Yes to the question, shown over `owner`. Nothing for an
// empty source.
void OpenSourceAsking(const std::string& source, HWND owner = nullptr);

}  // namespace rowinfo
