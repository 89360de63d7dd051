// Lifetime of the main dialog: construction, initialisation, the command
// line, pause and resume of the background work, the ways to end, and the
// dispatch of messages and commands to the handlers of every subsystem.
#include "app/PriceListDlg.h"

#include "../res/resource.h"
#include "app/PriceListApp.h"
#include "commands/CommandHistory.h"
#include "commands/Commands.h"
#include "commands/KeyFilter.h"
#include "dialogkit/Seams.h"
#include "grid/SelectionLook.h"
#include "links/CompanionWriter.h"
#include "links/LinkWatch.h"

#include <windowsx.h>

namespace {

constexpr const char* kUntitledName = "Unbenannt.pgx";
constexpr const char* kUntitledDocument = ".\\Unbenannt.pgx";
constexpr const char* kHelpDocument = "Info_Help.doc";
constexpr const char* kFirstPaintEventVariable = "TARVELO_FIRST_PAINT_EVENT";

// The start-up benchmark names an event here and times the process start to
// the end of the first paint; without the variable nothing happens.
void SignalFirstPaint() {
    static bool signalled = false;
    if (signalled) return;
    signalled = true;
    char name[MAX_PATH] = {};
    if (::GetEnvironmentVariableA(kFirstPaintEventVariable, name, sizeof name) == 0) return;
    if (const HANDLE event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, name)) {
        ::SetEvent(event);
        ::CloseHandle(event);
    }
}

// The untitled document in the working folder, named in full; relative
// where the full name would be too long to be a document path.
std::string UntitledPath() {
    char folder[MAX_PATH] = {};
    const DWORD n = ::GetCurrentDirectoryA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH) return kUntitledDocument;
    std::string path(folder, n);
    if (path.back() != '\\') path += '\\';
    path += kUntitledName;
    return path.size() < MAX_PATH ? path : kUntitledDocument;
}

}  // namespace

CPriceListDlg::CPriceListDlg(HWND) : Dialog(IDD_PRICELIST), m_companion(std::make_unique<CompanionWriter>()),
      m_history(std::make_unique<CommandHistory>()) {
    m_hIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CPriceListDlg::~CPriceListDlg() {
    // The link workers are let go first: a companion folder that hangs
    // must not keep them looking for a window that is gone.
    m_linkWatch.reset();
    if (m_pAnimThread) StopAnimation();
    ReapAnimationThread();
    m_companion->Withdraw();
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    if (m_hPrintIcon) ::DestroyIcon(m_hPrintIcon);
    // The companion writer finishes its removal as it is destroyed: with
    // the window already gone, only the ending process waits for it.
}

void CPriceListDlg::DoDataExchange(bool) {
    BindControl(m_btnNumbers, ids::kNumbers);
    BindControl(m_editTotal, ids::kTotal);
}

BOOL CPriceListDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // What a document stores of these texts is all they accept, so nothing
    // typed is lost by saving and loading.
    for (int row = 0; row < ids::kRows; ++row) {
        ::SendMessageA(Item(ids::Goods(row)), EM_LIMITTEXT, kFieldTextLimit, 0);
        ::SendMessageA(Item(ids::Price(row)), EM_LIMITTEXT, kFieldTextLimit, 0);
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        ::SendMessageA(Item(ids::Name(column)), EM_LIMITTEXT, kFieldTextLimit, 0);
    }

    for (RowInfo& info : m_rowInfo) info = RowInfo{};
    for (std::string& sum : m_publishedSums) sum.clear();
    m_nHoverRow = m_nHoverColumn = m_nHoverSquare = kNone;
    m_nLastDragRow = m_nLastDragColumn = kNone;

    m_linkWatch = std::make_unique<LinkWatch>(m_hWnd, WM_APP_LINKS);
    m_keys = std::make_unique<KeyFilter>(*this);
    SetUpPrintButton();

    CPriceListApp* app = ThePriceListApp();
    if (app) {
        app->SetMainWindow(m_hWnd);
        m_strExeDir = app->m_strExeDir;
        m_strConfigPath = app->m_strConfigPath;
    }

    // The file dialogs change the working folder: the untitled list stays
    // where the program started.
    m_strUntitledPath = UntitledPath();
    SetDocumentPath(m_strUntitledPath, TRUE);

    m_animRepeat = -1;
    m_bAnimRunning = FALSE;
    m_bStartupPending = TRUE;
    m_bFirstPaint = TRUE;
    m_bPublishPending = TRUE;
    m_animDelay = 80;
    m_nDragRow = kNoDrag;
    m_nDragColumn = kNoDrag;

    for (int row = 0; row < ids::kRows; ++row) {
        m_rowLinkColumn[row] = kNone;
        m_rowLinkFile[row].clear();
    }
    for (int& line : m_separatorLines) line = 0;

    ProcessCommandLine(app ? app->CommandLine() : std::string());

    SetupGeometry();
    grid::InstallSelectionLook(m_hWnd);
    ApplyNumbering();
    StartNewHistory();
    return TRUE;
}

void CPriceListDlg::ProcessCommandLine(const std::string& commandLine) {
    if (commandLine.empty()) return;
    // Nothing is deleted here: this instance has written no companion file
    // yet, and an Unbenannt.pgw in the working folder is another's.
    // A path the analysis refuses cannot be a document: end as for any
    // other file that is not one.
    if (SetDocumentPath(commandLine, FALSE) && IsDocumentExtension()) {
        // A document that cannot be read has been said so: the untitled
        // list stays.
        if (OpenDocumentFile(commandLine)) {
            m_bPublishPending = TRUE;
            m_bStartupPending = FALSE;
        }
        return;
    }
    StopAnimation();
    m_bPublishPending = FALSE;
    ::PostQuitMessage(0);
}

void CPriceListDlg::SetBackgroundActive(BOOL bActive) {
    if (!bActive) {
        StopAnimation();
        m_companion->Withdraw();
        ::KillTimer(m_hWnd, m_nLinkTimer);
        ::KillTimer(m_hWnd, m_nSumTimer);
        return;
    }
    m_nLinkTimer = ::SetTimer(m_hWnd, kLinkTimerId, kLinkTimerMs, nullptr);
    m_nSumTimer = ::SetTimer(m_hWnd, kSumTimerId, kSumTimerMs, nullptr);
    // Other instances linked to this document read its saved values while
    // the companion file is away: it comes back at once. What changed
    // during the pause is summed now.
    m_bPublishPending = TRUE;
    RequestSums();
}

// EXIT, Enter, the close box and Escape all end here: a modified document is
// never dropped without the save question, and Cancel keeps the window.
void CPriceListDlg::EndWithSavePrompt(INT_PTR result) {
    SetBackgroundActive(FALSE);
    if (PromptSaveChanges(m_strDocPath) == 2) {
        SetBackgroundActive(TRUE);
        return;
    }
    EndDialog(result);
}

void CPriceListDlg::OnOK() { EndWithSavePrompt(IDOK); }

void CPriceListDlg::OnCancel() { EndWithSavePrompt(IDCANCEL); }

void CPriceListDlg::OnClose() { EndWithSavePrompt(IDCANCEL); }

void CPriceListDlg::OnHelpButton() { dialogkit::ShellOpen(m_strExeDir + "\\" + kHelpDocument); }

// The price tips need the common controls, whose loading alone costs a
// bare dialog's start-up a tenth more under Wine: the window shows first.
void CPriceListDlg::OnShown() {
    CreatePriceTips();
    AddPrintTip();
    for (int row = 0; row < ids::kRows; ++row) UpdatePriceLook(ids::Price(row));
}

bool CPriceListDlg::OnCommand(int id, int code) {
    OnFieldNotified(id, code);
    if (code == EN_CHANGE) UpdatePriceLook(id);
    const bool editChanged = code == EN_CHANGE && ids::IsTextField(id);
    const bool selectionClicked = code == BN_CLICKED && ids::IsSelection(id);
    if (editChanged || selectionClicked) {
        OnFieldChanged();
        return true;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::kNumbers: OnNumbers(); return true;
        case ids::kLoad: OnLoad(); return true;
        case ids::kSaveAs: OnSaveAs(); return true;
        case ids::kReset: OnReset(); return true;
        case ids::kHelp: OnHelpButton(); return true;
        case ids::kPrint: RunCommand(Command::kPrint, 0); return true;
        default: return false;
    }
}

bool CPriceListDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const UINT flags = static_cast<UINT>(wParam);
    switch (msg) {
        case WM_TIMER: OnTimer(wParam); return false;
        case WM_PAINT: OnPaint(); SignalFirstPaint(); result = TRUE; return true;
        case WM_CLOSE: OnClose(); result = TRUE; return true;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<INT_PTR>(OnQueryDragIcon());
            return true;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            result = TRUE;
            return true;
        case WM_MOUSEMOVE: OnMouseMove(flags, pt); return false;
        case WM_LBUTTONDOWN: OnLButtonDown(flags, pt); return false;
        case WM_LBUTTONUP: OnLButtonUp(flags, pt); return false;
        case WM_LBUTTONDBLCLK: OnLButtonDblClk(flags, pt); return false;
        case WM_RBUTTONUP: OnRButtonUp(flags, pt); return false;
        case WM_RBUTTONDBLCLK: OnRButtonDblClk(flags, pt); return false;
        case WM_MOUSEWHEEL: {
            POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), screen);
            return false;
        }
        case WM_APP_ANIMATION:
            ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, OnAnimationRequest(wParam, lParam));
            result = TRUE;
            return true;
        case WM_APP_ANIM_REAP: ReapAnimationThread(); return true;
        case WM_APP_LINKS: OnLinksArrived(); return true;
        case WM_APP_SUMS: OnSumsRequested(); return true;
        case WM_APP_SHOWN: OnShown(); return true;
        case WM_CTLCOLOREDIT:
            return OnCtlColorEdit(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), result);
        default: return false;
    }
}
