#pragma once
#include "dialogkit/Application.h"

#include <string>

// The application object: derives the executable's folder and the
// configuration file from the library's help path, then runs the main
// dialog modally.
class CPriceListApp : public dialogkit::Application {
public:
    BOOL InitInstance() override;
    // Fills m_strExeDir and m_strConfigPath from the name and help path.
    void DerivePaths();

    std::string m_strExeDir;
    std::string m_strConfigPath;
};

// The executable's folder with its trailing backslash: the help path with
// every "<name>.hlp" and "<name>.HLP" removed and trailing blanks trimmed.
std::string ExeDirFromHelpPath(const std::string& helpPath, const std::string& appName);

inline constexpr const char* kConfigExtension = ".pgk";

// The application object, as the main dialog reaches it.
CPriceListApp* ThePriceListApp();
