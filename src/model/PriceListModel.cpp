// The price list model: selection access, the shared change handler, the
// numbering toggle, the timer dispatch and the totals.
#include "app/PriceListDlg.h"
#include "dialogkit/Seams.h"
#include "model/Amounts.h"
#include "model/SelectionName.h"

#include <array>
#include <utility>

namespace {

// Long enough for any price an edit can hold, so a price counts whole.
constexpr int kPriceBuffer = 260;
constexpr UINT kRepaintNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;

}  // namespace

int CPriceListDlg::SelectionButtonState(int row, int column, int newState) {
    const HWND button = Item(ids::Selection(row, column));
    const int previous = static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0));
    if (newState < 0) return previous;
    ::SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(newState), 0);
    if (newState != previous) RequestSums();
    return previous;
}

void CPriceListDlg::EnableRowEdits(int row, BOOL enabled) {
    const HWND focus = ::GetFocus();
    bool hadFocus = false;
    for (const int id : {ids::Goods(row), ids::Price(row)}) {
        const HWND field = Item(id);
        hadFocus = hadFocus || field == focus;
        if ((::IsWindowEnabled(field) != FALSE) != (enabled != FALSE)) ::EnableWindow(field, enabled);
    }
    if (hadFocus && !enabled) {
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(ids::Selection(row, 0))), TRUE);
    }
}

void CPriceListDlg::OnFieldChanged() {
    if (m_pAnimThread) StopAnimation();
    RequestSums();
}

void CPriceListDlg::OnNumbers() { ApplyNumbering(); }

void CPriceListDlg::ApplyNumbering() {
    // The buttons draw their numbers from "N" themselves; their texts are
    // their names.
    UpdateSelectionNames();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, kRepaintNow | RDW_ALLCHILDREN);
}

void CPriceListDlg::UpdateSelectionNames() {
    std::array<std::string, ids::kRows> goods;
    for (int row = 0; row < ids::kRows; ++row) goods[row] = GetItemText(ids::Goods(row), kPriceBuffer);
    for (int column = 0; column < ids::kColumns; ++column) {
        const std::string name = GetItemText(ids::Name(column), kPriceBuffer);
        for (int row = 0; row < ids::kRows; ++row) {
            std::string& known = m_selectionNames[static_cast<size_t>(column * ids::kRows + row)];
            std::string now = SelectionName(row, goods[row], column, name);
            if (now == known) continue;
            known = std::move(now);
            ::SetWindowTextA(Item(ids::Selection(row, column)), known.c_str());
        }
    }
}

bool CPriceListDlg::TimerWorkAllowed() const {
    // While the animation plays the button states are not the user's. A
    // message box or dialog runs a loop of its own that delivers ticks and
    // posted messages too: their work waits until it is closed, and never
    // runs inside itself (a link message box would otherwise stack up).
    // Nothing shows before the window itself: what the link workers bring
    // before the first paint waits for it.
    return !m_bFirstPaint && !m_bAnimRunning && !m_bTimerWorkRunning && dialogkit::ModalDepth() == 0;
}

void CPriceListDlg::OnTimer(UINT_PTR nIDEvent) {
    if (!TimerWorkAllowed()) return;
    m_bTimerWorkRunning = true;
    if (nIDEvent == m_nSumTimer) WorkOutSums();
    if (nIDEvent == m_nLinkTimer) LinkTick();
    m_bTimerWorkRunning = false;
}

void CPriceListDlg::RequestSums() {
    if (m_bSumsRequested || !m_hWnd) return;
    m_bSumsRequested = ::PostMessageA(m_hWnd, WM_APP_SUMS, 0, 0) != FALSE;
}

void CPriceListDlg::OnSumsRequested() {
    m_bSumsRequested = false;
    // Held back now (the animation, a box, the window not yet shown): the
    // sum timer works them out once that is over.
    if (!TimerWorkAllowed()) return;
    m_bTimerWorkRunning = true;
    WorkOutSums();
    m_bTimerWorkRunning = false;
    ++m_nSumsWorkedOut;
}

void CPriceListDlg::WorkOutSums() {
    UpdateSums();
    UpdateSelectionNames();
    // Other instances linked to this document are asked to see a new name
    // or sum at once, not with the next link tick.
    PublishIfChanged();
}

void CPriceListDlg::UpdateSums() {
    double prices[ids::kRows];
    double total = 0.0;
    for (int row = 0; row < ids::kRows; ++row) {
        prices[row] = ParseAmount(GetItemText(ids::Price(row), kPriceBuffer));
        total += prices[row];
    }
    // Unchanged texts are left alone: rewriting them costs a redraw each.
    UpdateItemText(ids::kTotal, FormatAmount(total));

    for (int column = 0; column < ids::kColumns; ++column) {
        double sum = 0.0;
        for (int row = 0; row < ids::kRows; ++row) {
            if (SelectionButtonState(row, column, -1) != 0) sum += prices[row];
        }
        UpdateItemText(ids::Sum(column), FormatAmount(sum));
    }
}
