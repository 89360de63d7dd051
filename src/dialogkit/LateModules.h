#pragma once
// System modules the window's first paint does not need (the file dialogs,
// the shell, the file type checks) are loaded at their first use: under
// Wine, loading them with the program made its start-up markedly slower
// than that of a bare dialog. Each is loaded once, from the system folder,
// and stays for the rest of the run.
#include "dialogkit/Win32.h"

namespace dialogkit {

inline constexpr const char* kCommonDialogs = "comdlg32.dll";
inline constexpr const char* kShell = "shell32.dll";
inline constexpr const char* kShellLight = "shlwapi.dll";
inline constexpr const char* kCommonControls = "comctl32.dll";

// The address of `name` in the system module `module`; null when either is missing.
FARPROC LateProc(const char* module, const char* name);

// The same, as the function type it has.
template <typename Function>
Function LateFunction(const char* module, const char* name) {
    // Through the generic function type, which any function pointer may take.
    using Generic = void (*)();
    return reinterpret_cast<Function>(reinterpret_cast<Generic>(LateProc(module, name)));
}

}  // namespace dialogkit
