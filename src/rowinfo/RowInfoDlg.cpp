#include "rowinfo/RowInfoDlg.h"

#include "../res/resource.h"
#include "app/PriceListDlg.h"
#include "commands/DocumentChange.h"
#include "dialogkit/Format.h"
#include "dialogkit/Seams.h"
#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "model/ControlIds.h"
#include "rowinfo/SourceSafety.h"

namespace {

// What a document keeps of a source and of an encoded info text: the
// dialog takes no more, so saving and loading lose nothing.
constexpr int kSourceLimit = doc::kTextBuffer - 1;
constexpr size_t kStoredInfoTextLimit = doc::kInfoTextBuffer - 1;

constexpr const char* kCaptionFormat = "%s %02i  -  %s";
constexpr const char* kSourceFilter = "Alle Dateien|*.*||";
constexpr const char* kInfoTextTooLong = "Der Info-Text ist zu lang !";

// The whole text of a window: the buffer is sized from the text itself.
std::string FullText(HWND hwnd) {
    return dialogkit::WindowText(hwnd, ::GetWindowTextLengthA(hwnd) + 1);
}

std::string FullText(const dialogkit::Control& control) { return FullText(control.GetSafeHwnd()); }

bool IsEmpty(const dialogkit::Control& control) {
    return ::GetWindowTextLengthA(control.GetSafeHwnd()) == 0;
}

}  // namespace

CRowInfoDlg::CRowInfoDlg(CPriceListDlg& mainDlg) : Dialog(IDD_ROWINFO), m_mainDlg(mainDlg) {}

void CRowInfoDlg::DoDataExchange(bool) {
    BindControl(m_btnOpen2, ids::kInfoOpen2);
    BindControl(m_btnOpen1, ids::kInfoOpen1);
    BindControl(m_editSource2, ids::kInfoSource2);
    BindControl(m_editSource1, ids::kInfoSource1);
    BindControl(m_editText, ids::kInfoText);
    BindControl(m_chkAutoOpen, ids::kInfoAutoOpen);
}

BOOL CRowInfoDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    ::SendMessageA(m_editSource1.GetSafeHwnd(), EM_LIMITTEXT, kSourceLimit, 0);
    ::SendMessageA(m_editSource2.GetSafeHwnd(), EM_LIMITTEXT, kSourceLimit, 0);

    m_nRow = m_mainDlg.m_infoRow;
    const RowInfo& info = m_mainDlg.m_rowInfo[m_nRow];
    m_strOldText = info.strText;
    m_editText.SetText(m_strOldText);
    m_strOldSource1 = info.strSource1;
    m_editSource1.SetText(m_strOldSource1);
    m_strOldSource2 = info.strSource2;
    // Putting the sources in raises their change handlers: each "Öffnen"
    // button ends up enabled exactly when its source is not empty.
    m_editSource2.SetText(m_strOldSource2);

    m_bOldAutoOpen = info.nAutoOpen;
    if (m_bOldAutoOpen != 0) m_chkAutoOpen.SetCheck(BST_CHECKED);

    const std::string caption = FullText(m_hWnd);
    const std::string goods = FullText(m_mainDlg.Item(ids::Goods(m_nRow)));
    ::SetWindowTextA(m_hWnd,
                     dialogkit::Format(kCaptionFormat, caption.c_str(), m_nRow + 1, goods.c_str()).c_str());
    return TRUE;
}

void CRowInfoDlg::OnOK() {
    const std::string text = FullText(m_editText);
    // A text the document could not keep whole is not taken at all: the
    // user shortens it while it is still in front of him.
    if (EncodeInfoText(text).size() > kStoredInfoTextLimit) {
        // Modal to this dialog, so OK cannot be pressed again behind it.
        dialogkit::AppMessageBox(kInfoTextTooLong, MB_OK, m_hWnd);
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_editText.GetSafeHwnd()), TRUE);
        return;
    }

    const RowInfo edited{text, FullText(m_editSource1), FullText(m_editSource2), m_chkAutoOpen.GetCheck()};
    {
        const DocumentChange change(m_mainDlg);
        m_mainDlg.m_rowInfo[m_nRow] = edited;
    }
    EndDialog(IDOK);
}

bool CRowInfoDlg::OnCommand(int id, int code) {
    if (code == EN_CHANGE) {
        if (id == ids::kInfoSource1) {
            OnChangeSource1();
            return true;
        }
        if (id == ids::kInfoSource2) {
            OnChangeSource2();
            return true;
        }
        return false;
    }
    if (code != BN_CLICKED) return false;
    switch (id) {
        case ids::kInfoBrowse1: BrowseSource(1); return true;
        case ids::kInfoBrowse2: BrowseSource(2); return true;
        case ids::kInfoOpen1: OpenSource(1); return true;
        case ids::kInfoOpen2: OpenSource(2); return true;
        case ids::kInfoClearAll: OnClearAll(); return true;
        default: return false;
    }
}

void CRowInfoDlg::OnChangeSource1() { m_btnOpen1.Enable(!IsEmpty(m_editSource1)); }

void CRowInfoDlg::OnChangeSource2() { m_btnOpen2.Enable(!IsEmpty(m_editSource2)); }

void CRowInfoDlg::BrowseSource(int source) {
    const dialogkit::Control& edit = source == 1 ? m_editSource1 : m_editSource2;

    dialogkit::FileDialogRequest request;
    request.open = true;
    request.initialName = FullText(edit);
    request.flags = OFN_HIDEREADONLY | OFN_LONGNAMES;
    request.filter = kSourceFilter;
    // Owned by this dialog, so it stays modal to it.
    request.owner = m_hWnd;

    dialogkit::FileDialogResult result = dialogkit::ShowFileDialog(request);
    if (!result.ok) {
        // Cancelled: keep the edit as it is.
        if (result.extendedError == 0) return;
        // The dialog could not start with that text (a URL, say): again
        // without an initial name.
        request.initialName.clear();
        result = dialogkit::ShowFileDialog(request);
        if (!result.ok) return;
    }
    edit.SetText(result.path);
}

void CRowInfoDlg::OpenSource(int source) {
    // The edit's text, not the record: a source can be tried before OK.
    const std::string file = FullText(source == 1 ? m_editSource1 : m_editSource2);
    // The question is modal to this dialog, which stays open.
    rowinfo::OpenSourceAsking(file, m_hWnd);
}

void CRowInfoDlg::OnClearAll() {
    m_editText.SetText("");
    m_editSource1.SetText("");
    m_editSource2.SetText("");
    m_chkAutoOpen.SetCheck(BST_CHECKED);
}
