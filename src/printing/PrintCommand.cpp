// The print command of the main window: the print dialog, the job, and
// what the user is told when there is no printer or the job fails.
#include "../res/resource.h"
#include "app/PriceListDlg.h"
#include "dialogkit/Seams.h"
#include "printing/PrintJob.h"

#include <cderr.h>
#include <commctrl.h>

#include <algorithm>

namespace {

constexpr const char* kNoPrinter = "Es ist kein Drucker eingerichtet.";
constexpr const char* kPrintFailed = "Die Liste konnte nicht gedruckt werden !";
constexpr const char* kPrintTip = "Drucken (Strg+P)";
// The button's frame around its icon, in pixels on every side.
constexpr int kButtonFrame = 3;

bool NoPrinter(DWORD error) { return error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES; }

}  // namespace

void CPriceListDlg::SetUpPrintButton() {
    const HWND button = Item(ids::kPrint);
    RECT face{};
    ::GetClientRect(button, &face);
    const int side = std::min(face.right, face.bottom) - 2 * kButtonFrame;
    if (side > 0) {
        m_hPrintIcon = static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PRINT),
                                                       IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    }
    if (m_hPrintIcon) ::SendMessageA(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(m_hPrintIcon));
}

void CPriceListDlg::AddPrintTip() {
    // The window's tooltip control, which also explains the prices.
    if (!m_hPriceTip) return;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(ids::kPrint));
    tool.lpszText = const_cast<char*>(kPrintTip);
    ::SendMessageA(m_hPriceTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void CPriceListDlg::OnPrint() {
    PRINTDLGA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = m_hWnd;
    request.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE;
    request.nCopies = 1;
    request.hDevMode = m_printDevMode.Get();
    request.hDevNames = m_printDevNames.Get();
    dialogkit::PrintDialogResult answer = dialogkit::ShowPrintDialog(request);
    if (!answer.ok && answer.extendedError == PDERR_PRINTERNOTFOUND && request.hDevNames) {
        // The printer chosen last has gone: the dialog starts on the default.
        m_printDevMode.Free();
        m_printDevNames.Free();
        request.hDevMode = request.hDevNames = nullptr;
        answer = dialogkit::ShowPrintDialog(request);
    }
    m_printDevMode.Adopt(request.hDevMode);
    m_printDevNames.Adopt(request.hDevNames);
    if (!answer.ok) {
        if (NoPrinter(answer.extendedError)) {
            dialogkit::AppMessageBox(kNoPrinter, MB_OK);
        } else if (answer.extendedError != 0) {
            dialogkit::AppMessageBox(kPrintFailed, MB_OK);
        }
        return;
    }
    bool printed = false;
    if (request.hDC) {
        printed = printing::PrintList(request.hDC, CapturePrintedContent());
        dialogkit::Spool(dialogkit::SpoolStep::kRelease, request.hDC);
    }
    if (!printed) dialogkit::AppMessageBox(kPrintFailed, MB_OK);
}
