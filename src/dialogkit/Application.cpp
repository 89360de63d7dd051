#include "dialogkit/Application.h"

namespace dialogkit {

namespace {
Application* g_current = nullptr;
}

Application* CurrentApp() { return g_current; }

ModuleNames ModuleNamesFromPath(const std::string& exePath) {
    const size_t slash = exePath.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = exePath.find_last_of('.');
    const bool hasExt = dot != std::string::npos && dot >= nameStart;
    ModuleNames names;
    names.name = exePath.substr(nameStart, hasExt ? dot - nameStart : std::string::npos);
    names.helpPath = (hasExt ? exePath.substr(0, dot) : exePath) + ".HLP";
    return names;
}

Application::Application() { g_current = this; }

Application::~Application() {
    if (g_current == this) g_current = nullptr;
}

void Application::SetModulePath(const std::string& exePath) {
    ModuleNames names = ModuleNamesFromPath(exePath);
    m_name = std::move(names.name);
    m_helpPath = std::move(names.helpPath);
}

int Application::Run(HINSTANCE instance, const char* commandLine) {
    m_instance = instance;
    char path[MAX_PATH + 1] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    SetModulePath(std::string(path, n < MAX_PATH ? n : MAX_PATH));
    m_commandLine = commandLine ? commandLine : "";
    InitInstance();
    return 0;
}

}  // namespace dialogkit
