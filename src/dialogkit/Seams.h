#pragma once
#include "dialogkit/Win32.h"

#include <functional>
#include <string>

namespace dialogkit {

class Dialog;

// What a file dialog is asked for, in the terms of the program: open or save,
// default extension, initial file name, OFN_* flags and a filter written with
// '|' separators ("Text|*.txt|Alle Dateien|*.*||").
struct FileDialogRequest {
    bool open = true;
    std::string defaultExt;
    std::string initialName;
    DWORD flags = 0;
    std::string filter;
    HWND owner = nullptr;
};

struct PrintDialogResult {
    bool ok = false;          // the user chose OK; the request holds the DC and settings
    DWORD extendedError = 0;  // CommDlgExtendedError() when not ok: 0 = cancelled
};

// The calls of a print job on the printer's DC, in the order a job makes
// them; the job ends with the DC's release, whatever became of it.
enum class SpoolStep { kStartDoc, kStartPage, kEndPage, kEndDoc, kAbortDoc, kRelease };

struct FileDialogResult {
    bool ok = false;          // the user confirmed a file
    std::string path;         // the chosen full path when ok
    DWORD extendedError = 0;  // CommDlgExtendedError() when not ok: 0 = cancelled
};

// Everything that would wait for a person or reach outside the process goes
// through these hooks. Left empty, the real Windows function is used; tests
// install their own answers.
struct Seams {
    std::function<int(const std::string& text, UINT type, HWND owner)> messageBox;
    std::function<FileDialogResult(const FileDialogRequest&)> fileDialog;
    std::function<void(const std::string& file)> shellOpen;
    // Shows a context menu at a screen point; the chosen item's id, 0 for none.
    std::function<UINT(HMENU menu, HWND owner, POINT screen)> popupMenu;
    // Runs a modal dialog; the default is the real modal loop.
    std::function<INT_PTR(Dialog&, HWND owner)> runModal;
    // The print dialog (PrintDlgA) on the request given.
    std::function<PrintDialogResult(PRINTDLGA& request)> printDialog;
    // One call of a print job; its result as the GDI call gives it
    // (> 0 done, <= 0 refused). The document name is StartDoc's alone.
    std::function<int(SpoolStep step, HDC dc, const char* documentName)> spool;
};

Seams& TheSeams();

// Message box with the application's name as caption and no icon; owned by
// the given window, by default the application's main window.
int AppMessageBox(const std::string& text, UINT type, HWND owner = nullptr);

FileDialogResult ShowFileDialog(const FileDialogRequest& request);

PrintDialogResult ShowPrintDialog(PRINTDLGA& request);

int Spool(SpoolStep step, HDC dc, const char* documentName = nullptr);

// How many message boxes, file dialogs and modal dialogs over another
// window the program has open right now. Their loops also deliver the main window's timers and
// posted messages, whose work must wait until they are closed.
int ModalDepth();

// Counts one modal run for as long as it lives.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// A context menu at a screen point, modal: the chosen item's id, 0 for none.
UINT ShowPopupMenu(HMENU menu, HWND owner, POINT screen);

// ShellExecuteA with the verb "open", no parameters, no directory,
// SW_SHOWNORMAL; the result is not looked at.
void ShellOpen(const std::string& file);

}  // namespace dialogkit
