#include "dialogkit/Seams.h"

#include "dialogkit/Application.h"
#include "dialogkit/LateModules.h"

#include <cderr.h>

#include <vector>

namespace dialogkit {

Seams& TheSeams() {
    static Seams seams;
    return seams;
}

namespace {
int g_modalDepth = 0;
}  // namespace

int ModalDepth() { return g_modalDepth; }

ModalScope::ModalScope() { ++g_modalDepth; }

ModalScope::~ModalScope() { --g_modalDepth; }

int AppMessageBox(const std::string& text, UINT type, HWND owner) {
    const ModalScope modal;
    const Application* app = CurrentApp();
    if (!owner && app) owner = app->MainWindow();
    if (TheSeams().messageBox) return TheSeams().messageBox(text, type, owner);
    const std::string caption = app ? app->Name() : std::string();
    return ::MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

namespace {

// "A|*.a|B|*.*||" becomes "A\0*.a\0B\0*.*\0\0" as the common dialogs want it.
std::vector<char> NullSeparatedFilter(const std::string& filter) {
    std::vector<char> out(filter.begin(), filter.end());
    for (char& c : out) {
        if (c == '|') c = '\0';
    }
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

}  // namespace

FileDialogResult ShowFileDialog(const FileDialogRequest& request) {
    const ModalScope modal;
    if (TheSeams().fileDialog) return TheSeams().fileDialog(request);

    std::vector<char> filter = NullSeparatedFilter(request.filter);
    char file[MAX_PATH] = {};
    lstrcpynA(file, request.initialName.c_str(), MAX_PATH);

    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = filter.data();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    // The common dialog wants the extension without its dot.
    const size_t extStart = request.defaultExt.rfind('.') == 0 ? 1 : 0;
    const std::string defExt = request.defaultExt.substr(extStart);
    ofn.lpstrDefExt = defExt.empty() ? nullptr : defExt.c_str();
    ofn.Flags = request.flags | OFN_EXPLORER | OFN_ENABLESIZING;

    FileDialogResult result;
    const auto show = LateFunction<decltype(&::GetOpenFileNameA)>(kCommonDialogs, request.open ? "GetOpenFileNameA" : "GetSaveFileNameA");
    result.ok = show && show(&ofn);
    if (result.ok) {
        result.path = file;
    } else if (const auto error = LateFunction<decltype(&::CommDlgExtendedError)>(kCommonDialogs, "CommDlgExtendedError")) {
        result.extendedError = error();
    }
    return result;
}

PrintDialogResult ShowPrintDialog(PRINTDLGA& request) {
    const ModalScope modal;
    if (TheSeams().printDialog) return TheSeams().printDialog(request);
    PrintDialogResult result;
    const auto show = LateFunction<decltype(&::PrintDlgA)>(kCommonDialogs, "PrintDlgA");
    result.ok = show && show(&request);
    if (!result.ok) {
        const auto error = LateFunction<decltype(&::CommDlgExtendedError)>(kCommonDialogs, "CommDlgExtendedError");
        // Without the module there is no dialog to choose a printer in.
        result.extendedError = error ? error() : static_cast<DWORD>(CDERR_INITIALIZATION);
    }
    return result;
}

int Spool(SpoolStep step, HDC dc, const char* documentName) {
    if (TheSeams().spool) return TheSeams().spool(step, dc, documentName);
    switch (step) {
        case SpoolStep::kStartDoc: {
            DOCINFOA info{};
            info.cbSize = sizeof info;
            info.lpszDocName = documentName;
            return ::StartDocA(dc, &info);
        }
        case SpoolStep::kStartPage: return ::StartPage(dc);
        case SpoolStep::kEndPage: return ::EndPage(dc);
        case SpoolStep::kEndDoc: return ::EndDoc(dc);
        case SpoolStep::kAbortDoc: return ::AbortDoc(dc);
        case SpoolStep::kRelease: return ::DeleteDC(dc);
    }
    return 0;
}

UINT ShowPopupMenu(HMENU menu, HWND owner, POINT screen) {
    const ModalScope modal;
    if (TheSeams().popupMenu) return TheSeams().popupMenu(menu, owner, screen);
    return static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                              screen.x, screen.y, 0, owner, nullptr));
}

void ShellOpen(const std::string& file) {
    if (TheSeams().shellOpen) {
        TheSeams().shellOpen(file);
        return;
    }
    if (const auto execute = LateFunction<decltype(&::ShellExecuteA)>(kShell, "ShellExecuteA")) {
        execute(nullptr, "open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }
}

}  // namespace dialogkit
