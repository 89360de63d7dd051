// Mouse gestures on the window's surface: dragging rows and columns (Ctrl
// copies), separator clicks, clearing a row, linking and stepping links,
// the row info and its sources, and the animation on demand.
#include "app/PriceListDlg.h"
#include "commands/DocumentChange.h"
#include "dialogkit/Format.h"
#include "dialogkit/Seams.h"
#include "grid/Geometry.h"
#include "links/LinkWatch.h"

#include <array>

namespace {

constexpr const char* kClearRowQuestion = "Reihe Nummer %02i  löschen ?";

// The key states are compared whole: another held key or button fails.
constexpr UINT kCopyKeys = MK_CONTROL;
constexpr UINT kAnimationKeys = MK_SHIFT | MK_CONTROL;
constexpr UINT kInfoDialogKeys = MK_LBUTTON;
constexpr UINT kFirstSourceKeys = MK_LBUTTON | MK_SHIFT;
constexpr UINT kSecondSourceKeys = MK_RBUTTON | MK_SHIFT;

// A transfer carries whole texts: as much as goods, price and name edits
// accept, so a drag loses nothing.
constexpr int kTransferBuffer = 260;

// Everything that belongs to a row.
struct RowContent {
    std::string goods;
    std::string price;
    std::array<int, ids::kColumns> selection{};
    std::string linkFile;
    int linkColumn = kNone;
    RowInfo info;
};

bool IsIndex(int value, int count) { return value >= 0 && value < count; }

}  // namespace

void CPriceListDlg::OnLButtonDown(UINT, POINT pt) {
    m_nDragRow = kNoDrag;
    StopAnimation();
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);
    const int row = grid::RowLabelAt(g, pt);
    if (row >= 0) m_nDragRow = m_nLastDragRow = row;
    const int column = grid::ColumnHeaderAt(g, pt);
    if (column >= 0) m_nDragColumn = m_nLastDragColumn = column;
    const int separator = grid::SeparatorAt(g, pt);
    if (separator >= 0) ToggleSeparator(separator);
}

void CPriceListDlg::ToggleSeparator(int separator) {
    const DocumentChange change(*this);
    m_separatorLines[separator] = m_separatorLines[separator] == 0 ? 1 : 0;
    Repaint(nullptr);
}

void CPriceListDlg::OnLButtonUp(UINT nFlags, POINT pt) {
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);
    const BOOL copy = nFlags == kCopyKeys;
    if (IsIndex(m_nDragRow, ids::kRows)) {
        const int target = grid::RowLabelAt(g, pt);
        if (target >= 0 && target != m_nDragRow) TransferRow(m_nDragRow, target, copy);
    }
    if (IsIndex(m_nDragColumn, ids::kColumns)) {
        const int target = grid::ColumnHeaderAt(g, pt);
        if (target >= 0 && target != m_nDragColumn) TransferColumn(m_nDragColumn, target, copy);
    }
    const int goods = grid::GoodsAt(g, pt);
    if (goods >= 0) RefreshLinkedRow(goods, +1);

    m_nDragRow = kNoDrag;
    if (IsIndex(m_nHoverRow, ids::kRows)) Repaint(&m_rcRowLabel[m_nHoverRow]);
    if (IsIndex(m_nLastDragRow, ids::kRows)) Repaint(&m_rcRowLabel[m_nLastDragRow]);
    m_nDragColumn = kNoDrag;
    if (IsIndex(m_nHoverColumn, ids::kColumns)) Repaint(&m_rcColumnHeader[m_nHoverColumn]);
    if (IsIndex(m_nLastDragColumn, ids::kColumns)) Repaint(&m_rcColumnHeader[m_nLastDragColumn]);
}

void CPriceListDlg::OnRButtonUp(UINT nFlags, POINT pt) {
    StopAnimation();
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);
    if (grid::Contains(g.goodsBand, pt)) {
        const int goods = grid::GoodsAt(g, pt);
        if (goods >= 0) RefreshLinkedRow(goods, -1);
    } else {
        ReReadLinks();
    }

    const int row = grid::RowLabelAt(g, pt);
    if (row >= 0) ClearRow(row);

    if (nFlags == kAnimationKeys) {
        // On demand it plays until stopped, also after a start-up that
        // found no script and left the pass count at 0.
        m_animRepeat = -1;
        StartAnimation();
    } else {
        StopAnimation();
    }
}

void CPriceListDlg::OnLButtonDblClk(UINT nFlags, POINT pt) {
    // Nothing opens a dialog over a dialog or message box still open.
    if (dialogkit::ModalDepth() > 0) return;
    SetBackgroundActive(FALSE);
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);
    const int row = grid::RowLabelAt(g, pt);
    if (row >= 0) LinkRow(row);
    const int square = grid::SquareAt(g, pt);
    if (square >= 0) {
        m_infoRow = square;
        if (nFlags == kInfoDialogKeys) {
            RunRowInfoDialog();
        } else if (nFlags == kFirstSourceKeys) {
            OpenRowSource(square, 1);
        }
        Repaint(&m_rcSquare[square]);
    }
    SetBackgroundActive(TRUE);
}

void CPriceListDlg::OnRButtonDblClk(UINT nFlags, POINT pt) {
    const int square = grid::SquareAt(grid::GeometryOf(m_hWnd), pt);
    if (square < 0) return;
    m_infoRow = square;
    if (nFlags == kSecondSourceKeys) OpenRowSource(square, 2);
    Repaint(&m_rcSquare[square]);
}

void CPriceListDlg::ClearRow(int row) {
    if (dialogkit::AppMessageBox(dialogkit::Format(kClearRowQuestion, row + 1), MB_YESNO) != IDYES) return;
    const DocumentChange change(*this);
    m_rowLinkFile[row].clear();
    m_rowLinkColumn[row] = kNone;
    SetItemText(ids::Goods(row), "");
    SetItemText(ids::Price(row), "");
    EnableRowEdits(row, TRUE);
}

void CPriceListDlg::TransferRow(int from, int to, BOOL copy) {
    const DocumentChange change(*this);
    const std::array<int, ids::kRows> columns = m_rowLinkColumn;
    auto read = [&](int row) {
        RowContent c;
        c.goods = GetItemText(ids::Goods(row), kTransferBuffer);
        c.price = GetItemText(ids::Price(row), kTransferBuffer);
        return c;
    };
    auto readRest = [&](int row, RowContent& c) {
        for (int column = 0; column < ids::kColumns; ++column) c.selection[column] = SelectionButtonState(row, column, -1);
        c.linkFile = m_rowLinkFile[row];
        c.info = m_rowInfo[row];
    };
    auto write = [&](int row, const RowContent& c, int linkColumn) {
        SetItemText(ids::Goods(row), c.goods);
        SetItemText(ids::Price(row), c.price);
        if (!c.linkFile.empty()) EnableRowEdits(row, FALSE);
        for (int column = 0; column < ids::kColumns; ++column) SelectionButtonState(row, column, c.selection[column]);
        m_rowLinkColumn[row] = linkColumn;
        m_rowLinkFile[row] = c.linkFile;
        m_rowInfo[row] = c.info;
    };

    RowContent source = read(from);
    if (!copy) EnableRowEdits(from, TRUE);
    readRest(from, source);
    RowContent target = read(to);
    EnableRowEdits(to, TRUE);
    readRest(to, target);

    write(to, source, columns[from]);
    if (!copy) write(from, target, columns[to]);

    Repaint(&m_rcSquare[from]);
    Repaint(&m_rcSquare[to]);
    OnFieldChanged();
}

void CPriceListDlg::TransferColumn(int from, int to, BOOL copy) {
    const DocumentChange change(*this);
    auto readStates = [&](int column) {
        std::array<int, ids::kRows> states{};
        for (int row = 0; row < ids::kRows; ++row) states[row] = SelectionButtonState(row, column, -1);
        return states;
    };
    auto writeColumn = [&](int column, const std::string& name, const std::array<int, ids::kRows>& states) {
        SetItemText(ids::Name(column), name);
        for (int row = 0; row < ids::kRows; ++row) SelectionButtonState(row, column, states[row]);
    };
    const std::string fromName = GetItemText(ids::Name(from), kTransferBuffer);
    const std::array<int, ids::kRows> fromStates = readStates(from);
    const std::string toName = GetItemText(ids::Name(to), kTransferBuffer);
    const std::array<int, ids::kRows> toStates = readStates(to);
    writeColumn(to, fromName, fromStates);
    if (!copy) writeColumn(from, toName, toStates);
}
