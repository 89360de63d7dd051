#include "dialogkit/LateModules.h"

#include <string>

namespace dialogkit {

FARPROC LateProc(const char* module, const char* name) {
    // From the system folder only: a module of that name beside a document
    // must never be loaded instead.
    char folder[MAX_PATH] = {};
    const UINT n = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, n) + "\\" + module;
    HMODULE loaded = ::GetModuleHandleA(path.c_str());
    if (!loaded) loaded = ::LoadLibraryA(path.c_str());
    return loaded ? ::GetProcAddress(loaded, name) : nullptr;
}

}  // namespace dialogkit
