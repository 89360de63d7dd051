// The main window's commands: the history of its document with undo and
// redo, and every action of the list from a key or the context menu,
// carried out by the same operations as the mouse gestures.
#include "app/PriceListDlg.h"
#include "commands/CommandHistory.h"
#include "commands/Commands.h"
#include "commands/DocumentChange.h"
#include "dialogkit/GdiGuards.h"
#include "dialogkit/Seams.h"
#include "links/LinkWatch.h"

#include <utility>

namespace {

// As much as the goods, price and name edits accept, and the end.
constexpr int kFieldBuffer = 260;
constexpr int kSourceFirst = 1;
constexpr int kSourceSecond = 2;

void PutText(DocumentValues& values, int id, std::string text) {
    const CommandTarget t = TargetOfControl(id);
    if (t.row >= 0) {
        (ids::IsGoods(id) ? values.goods : values.prices)[static_cast<size_t>(t.row)] = std::move(text);
    } else if (t.column >= 0) {
        values.names[static_cast<size_t>(t.column)] = std::move(text);
    }
}

// The same kind of control in another row or column, for the focus to
// follow what it was on.
int MovedControl(int id, int rowStep, int columnStep) {
    const CommandTarget t = TargetOfControl(id);
    if (ids::IsSelection(id)) return ids::Selection(t.row + rowStep, t.column + columnStep);
    if (ids::IsName(id)) return ids::Name(t.column + columnStep);
    return id + rowStep;
}

}  // namespace

DocumentValues CPriceListDlg::CaptureValues() {
    DocumentValues v;
    for (int row = 0; row < ids::kRows; ++row) {
        v.goods[row] = GetItemText(ids::Goods(row), kFieldBuffer);
        v.prices[row] = GetItemText(ids::Price(row), kFieldBuffer);
        for (int column = 0; column < ids::kColumns; ++column) v.selection[row][column] = SelectionButtonState(row, column, -1);
        v.editable[row] = ::IsWindowEnabled(Item(ids::Goods(row))) != FALSE;
    }
    for (int column = 0; column < ids::kColumns; ++column) v.names[column] = GetItemText(ids::Name(column), kFieldBuffer);
    v.linkFiles = m_rowLinkFile;
    v.linkColumns = m_rowLinkColumn;
    v.info = m_rowInfo;
    std::copy(std::begin(m_separatorLines), std::end(m_separatorLines), v.lines.begin());
    return v;
}

void CPriceListDlg::RestoreValues(const DocumentValues& v, const DocumentValues& now) {
    // Only what differs is written: a step changes a field or a row, and
    // each control written costs far more than comparing its value.
    const CommandHistory::QuietScope quiet(*m_history);
    for (int row = 0; row < ids::kRows; ++row) {
        // A row linked the same way in both keeps what its link shows now:
        // the program, not the user, has changed its texts since.
        const bool sameLink = !v.linkFiles[row].empty() && v.linkFiles[row] == now.linkFiles[row] &&
                              v.linkColumns[row] == now.linkColumns[row];
        if (!sameLink && v.goods[row] != now.goods[row]) SetItemText(ids::Goods(row), v.goods[row]);
        if (!sameLink && v.prices[row] != now.prices[row]) SetItemText(ids::Price(row), v.prices[row]);
        if (v.editable[row] != now.editable[row]) EnableRowEdits(row, v.editable[row] ? TRUE : FALSE);
        for (int column = 0; column < ids::kColumns; ++column) {
            if (v.selection[row][column] != now.selection[row][column]) SelectionButtonState(row, column, v.selection[row][column]);
        }
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        if (v.names[column] != now.names[column]) SetItemText(ids::Name(column), v.names[column]);
    }
    m_rowLinkFile = v.linkFiles;
    m_rowLinkColumn = v.linkColumns;
    m_rowInfo = v.info;
    std::copy(v.lines.begin(), v.lines.end(), m_separatorLines);
    // The squares show info and links; the lines run across the window.
    if (v.lines != now.lines) {
        Repaint(nullptr);
    } else {
        for (int row = 0; row < ids::kRows; ++row) {
            if (v.info[row] != now.info[row] || v.linkFiles[row] != now.linkFiles[row]) Repaint(&m_rcSquare[row]);
        }
    }
    // A link that came back is looked at at once; its row shows what it
    // finds with the look.
    if (v.linkFiles != now.linkFiles) m_linkWatch->Look(LinkedPaths());
}

void CPriceListDlg::EndChange(DocumentValues before) {
    m_history->EndTyping();
    if (!CommandHistory::SameValues(before, CaptureValues())) m_history->Take(std::move(before));
    FollowHistory();
}

void CPriceListDlg::FollowHistory() { m_bModified = m_history->AtSaved() ? FALSE : TRUE; }

void CPriceListDlg::OnUndo() { GoThroughHistory(true); }
void CPriceListDlg::OnRedo() { GoThroughHistory(false); }

void CPriceListDlg::GoThroughHistory(bool back) {
    StopAnimation();
    if (!(back ? m_history->CanUndo() : m_history->CanRedo())) return;
    const DocumentValues now = CaptureValues();
    const std::optional<DocumentValues> to = back ? m_history->Undo(now) : m_history->Redo(now);
    if (to) RestoreValues(*to, now);
    FollowHistory();
}

void CPriceListDlg::OnFieldNotified(int id, int code) {
    const bool typed = code == EN_CHANGE && ids::IsTextField(id);
    const bool clicked = code == BN_CLICKED && ids::IsSelection(id);
    // The animation ends first and puts the selection back: a click on a
    // button while it plays changes nothing that a step could take back.
    if (m_pAnimThread && (typed || clicked)) {
        StopAnimation();
        if (clicked) return;
    }
    if (code == EN_KILLFOCUS && m_history->ContinuesTyping(id)) m_history->EndTyping();
    if (typed) {
        // Every change is noted, the program's too, so that the text before
        // the user's first keystroke is known without asking the edit.
        std::string before = m_history->SwapText(id, GetItemText(id, kFieldBuffer));
        if (m_history->Quiet() || m_history->ContinuesTyping(id)) return;
        DocumentValues values = CaptureValues();
        PutText(values, id, std::move(before));
        m_history->Take(std::move(values));
        m_history->BeginTyping(id);
        // Before the first paint the program's own texts are no change.
        if (!m_bStartupPending) FollowHistory();
    }
    if (clicked && !m_history->Quiet()) {
        // The click has switched the button already: before it, it was the
        // other way.
        m_history->EndTyping();
        DocumentValues values = CaptureValues();
        const CommandTarget t = TargetOfControl(id);
        int& state = values.selection[t.row][t.column];
        state = state == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED;
        m_history->Take(std::move(values));
        FollowHistory();
    }
}

void CPriceListDlg::StartNewHistory() {
    m_history->Restart();
    for (int id = ids::kGoodsBase; id < ids::kSumBase; ++id) {
        if (ids::IsTextField(id)) m_history->SwapText(id, GetItemText(id, kFieldBuffer));
    }
    m_nCopiedRow = m_nCopiedColumn = kNone;
    FollowHistory();
}

void CPriceListDlg::DocumentSaved() {
    m_history->MarkSaved();
    FollowHistory();
}

void CPriceListDlg::ReReadLinks() {
    // Only a link that moved to another column changes the document.
    const DocumentChange change(*this);
    for (int row = 0; row < ids::kRows; ++row) RefreshLinkedRow(row, 0);
    // And every link is looked at again now, not only at the next tick.
    m_linkWatch->Look(LinkedPaths());
}

void CPriceListDlg::RunCommand(Command command, int controlId) {
    const CommandState state = CommandStateFor(controlId);
    const CommandTarget t = state.target;
    const bool anywhere = command == Command::kUndo || command == Command::kRedo || command == Command::kMenu ||
                          command == Command::kReReadLinks || command == Command::kAnimation ||
                          command == Command::kCopyList || command == Command::kPrint;
    if (!anywhere && !Applies(command, state)) return;
    // Nothing opens over a box or dialog still open.
    if (dialogkit::ModalDepth() > 0) return;
    if (command != Command::kMenu) StopAnimation();
    auto follow = [&](int rowStep, int columnStep) {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(MovedControl(controlId, rowStep, columnStep))), TRUE);
    };
    auto paused = [&](auto&& action) {
        SetBackgroundActive(FALSE);
        action();
        SetBackgroundActive(TRUE);
    };
    switch (command) {
        case Command::kUndo: OnUndo(); break;
        case Command::kRedo: OnRedo(); break;
        case Command::kMenu: ShowCommandMenu(controlId); break;
        case Command::kRowUp: TransferRow(t.row, t.row - 1, FALSE); follow(-1, 0); break;
        case Command::kRowDown: TransferRow(t.row, t.row + 1, FALSE); follow(+1, 0); break;
        case Command::kColumnLeft: TransferColumn(t.column, t.column - 1, FALSE); follow(0, -1); break;
        case Command::kColumnRight: TransferColumn(t.column, t.column + 1, FALSE); follow(0, +1); break;
        case Command::kCopyRow: m_nCopiedRow = t.row; break;
        case Command::kPasteRow: TransferRow(m_nCopiedRow, t.row, TRUE); break;
        case Command::kCopyColumn: m_nCopiedColumn = t.column; break;
        case Command::kPasteColumn: TransferColumn(m_nCopiedColumn, t.column, TRUE); break;
        case Command::kClearRow: ClearRow(t.row); break;
        case Command::kLinkRow: paused([&] { LinkRow(t.row); }); break;
        case Command::kLinkNext: RefreshLinkedRow(t.row, +1); break;
        case Command::kLinkPrevious: RefreshLinkedRow(t.row, -1); break;
        case Command::kRowInfo:
            paused([&] {
                m_infoRow = t.row;
                RunRowInfoDialog();
            });
            break;
        case Command::kSource1:
            paused([&] {
                m_infoRow = t.row;
                OpenRowSource(t.row, kSourceFirst);
                Repaint(&m_rcSquare[t.row]);
            });
            break;
        case Command::kSource2:
            m_infoRow = t.row;
            OpenRowSource(t.row, kSourceSecond);
            Repaint(&m_rcSquare[t.row]);
            break;
        case Command::kSeparator: ToggleSeparator(t.row); break;
        case Command::kReReadLinks: ReReadLinks(); break;
        case Command::kAnimation:
            m_animRepeat = -1;
            StartAnimation();
            break;
        case Command::kEditCut: ::SendMessageA(Item(controlId), WM_CUT, 0, 0); break;
        case Command::kEditCopy: ::SendMessageA(Item(controlId), WM_COPY, 0, 0); break;
        case Command::kEditPaste:
            if (!PasteRange(controlId)) ::SendMessageA(Item(controlId), WM_PASTE, 0, 0);
            break;
        case Command::kCopyList: CopyListAsTable(); break;
        case Command::kPrint: paused([&] { OnPrint(); }); break;
        case Command::kEditDelete: ::SendMessageA(Item(controlId), WM_CLEAR, 0, 0); break;
        case Command::kEditSelectAll: ::SendMessageA(Item(controlId), EM_SETSEL, 0, -1); break;
        default: break;
    }
}

CommandState CPriceListDlg::CommandStateFor(int controlId) {
    CommandState state;
    state.target = TargetOfControl(controlId);
    const int row = state.target.row;
    state.copiedRow = m_nCopiedRow;
    state.copiedColumn = m_nCopiedColumn;
    if (row >= 0) {
        state.linked = !m_rowLinkFile[row].empty();
        state.source1 = !m_rowInfo[row].strSource1.empty();
        state.source2 = !m_rowInfo[row].strSource2.empty();
        state.separatorOn = row < ids::kSeparators && m_separatorLines[row] != 0;
    }
    state.canUndo = m_history->CanUndo();
    state.canRedo = m_history->CanRedo();
    if (state.target.edit) {
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageA(Item(controlId), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        state.selectedText = start != end;
        state.pasteable = ::IsClipboardFormatAvailable(CF_TEXT) != FALSE;
    }
    return state;
}

void CPriceListDlg::ShowCommandMenu(int controlId) {
    const CommandState state = CommandStateFor(controlId);
    const dialogkit::MenuHandle menu(::CreatePopupMenu());
    for (const MenuLine& line : MenuLines(state)) {
        if (line.command == Command::kNone) {
            ::AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT flags = MF_STRING | (line.enabled ? MF_ENABLED : MF_GRAYED) | (line.checked ? MF_CHECKED : 0);
        ::AppendMenuA(menu.Get(), flags, kMenuIdBase + static_cast<UINT>(line.command), line.text.c_str());
    }
    // Below the control that has the focus, as the menu key places it.
    RECT at{};
    ::GetWindowRect(controlId ? Item(controlId) : m_hWnd, &at);
    const UINT chosen = dialogkit::ShowPopupMenu(menu.Get(), m_hWnd, POINT{at.left, at.bottom});
    if (chosen > kMenuIdBase) RunCommand(static_cast<Command>(chosen - kMenuIdBase), controlId);
}
