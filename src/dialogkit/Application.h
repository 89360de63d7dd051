#pragma once
#include "dialogkit/Win32.h"

#include <string>

namespace dialogkit {

// The process-wide application object: its name (the executable's file name
// without folder and extension), the default help path and the command line.
// Exactly one instance exists at a time; it registers itself on construction.
class Application {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Called once by WinMain: takes the module path and the command line
    // (everything after the program name), runs InitInstance.
    int Run(HINSTANCE instance, const char* commandLine);

    virtual BOOL InitInstance() { return FALSE; }

    // Derives the name and help path from an executable path. Run() does it
    // from the real module; tests call it with a path of their choice.
    void SetModulePath(const std::string& exePath);
    void SetCommandLine(const std::string& commandLine) { m_commandLine = commandLine; }

    const std::string& Name() const { return m_name; }
    // The executable's full path with its extension replaced by ".HLP".
    const std::string& HelpPath() const { return m_helpPath; }
    const std::string& CommandLine() const { return m_commandLine; }
    HINSTANCE Instance() const { return m_instance; }

    HWND MainWindow() const { return m_mainWindow; }
    void SetMainWindow(HWND hwnd) { m_mainWindow = hwnd; }

private:
    HINSTANCE m_instance = nullptr;
    std::string m_name;
    std::string m_helpPath;
    std::string m_commandLine;
    HWND m_mainWindow = nullptr;
};

// The registered application object, or nullptr before one exists.
Application* CurrentApp();

// Splits an executable path into the application name and the help path.
struct ModuleNames {
    std::string name;
    std::string helpPath;
};
ModuleNames ModuleNamesFromPath(const std::string& exePath);

}  // namespace dialogkit
