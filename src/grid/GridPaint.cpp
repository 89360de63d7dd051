// The window's own drawing (grid lines, row-number frames, indicator
// squares, separator lines) and the hover and drag feedback of the mouse.
// The positions come from grid/Geometry; pens, brushes and device contexts
// live for one paint or one mouse move.
#include "app/PriceListDlg.h"
#include "dialogkit/GdiGuards.h"
#include "grid/Geometry.h"

#include <algorithm>

namespace {

constexpr COLORREF kPlainFill = RGB(198, 195, 198);     // no info text; separator marker
constexpr COLORREF kInfoFill = RGB(170, 190, 200);      // the row has an info text
constexpr COLORREF kPlainOutline = RGB(100, 100, 100);  // no source; separator marker
constexpr COLORREF kSourceOutline = RGB(180, 0, 0);     // a first or second source

constexpr UINT kEtchedFrame = BF_RECT;
constexpr UINT kFlatFrame = BF_RECT | BF_MONO;

void Frame(HDC dc, const RECT& rect, UINT flags) {
    RECT edge = rect;
    ::DrawEdge(dc, &edge, EDGE_ETCHED, flags);
}

// A two-point polyline: its end point is not painted.
void HorizontalLine(HDC dc, int y, grid::HLine line) {
    const POINT points[2] = {{line.from, y}, {line.to, y}};
    ::Polyline(dc, points, 2);
}

void FillOutline(HDC dc, const RECT& r) { ::Rectangle(dc, r.left, r.top, r.right, r.bottom); }

bool IsIndex(int value, int count) { return value >= 0 && value < count; }

// A drag runs while its source is below 20; kNoDrag (99) means none.
constexpr int kDragSourceLimit = 20;
bool DragRunning(int source) { return source < kDragSourceLimit; }

}  // namespace

void CPriceListDlg::SetupGeometry() {
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);
    std::copy(g.rowLabel.begin(), g.rowLabel.end(), m_rcRowLabel);
    std::copy(g.square.begin(), g.square.end(), m_rcSquare);
    std::copy(g.columnHeader.begin(), g.columnHeader.end(), m_rcColumnHeader);
    std::copy(g.separator.begin(), g.separator.end(), m_rcSeparator);
}

void CPriceListDlg::OnPaint() {
    if (::IsIconic(m_hWnd)) {
        dialogkit::PaintDc dc(m_hWnd);
        ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        ::DrawIcon(dc.Get(), x, y, m_hIcon);
        return;
    }
    dialogkit::PaintDc dc(m_hWnd);
    const HDC hdc = dc.Get();
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);

    // Grid lines in the device context's own pen.
    for (const int y : g.gridLineY) {
        HorizontalLine(hdc, y, g.gridLine);
        for (const grid::HLine& tick : g.gridTicks) HorizontalLine(hdc, y, tick);
    }

    if (m_btnNumbers.GetCheck() != BST_UNCHECKED) {
        for (const RECT& label : m_rcRowLabel) Frame(hdc, label, kEtchedFrame);
    }

    const dialogkit::Brush plainFill(::CreateSolidBrush(kPlainFill));
    const dialogkit::Brush infoFill(::CreateSolidBrush(kInfoFill));
    const dialogkit::Pen plainOutline(::CreatePen(PS_SOLID, 1, kPlainOutline));
    const dialogkit::Pen sourceOutline(::CreatePen(PS_SOLID, 1, kSourceOutline));
    {
        // The guards put the device context's own pen and brush back at the
        // end of this block, before anything else is drawn.
        const dialogkit::SelectGuard keepPen(hdc, plainOutline.Get());
        const dialogkit::SelectGuard keepBrush(hdc, plainFill.Get());
        for (int row = 0; row < ids::kRows; ++row) {
            const RowInfo& info = m_rowInfo[row];
            const bool hasSource = !info.strSource1.empty() || !info.strSource2.empty();
            ::SelectObject(hdc, info.strText.empty() ? plainFill.Get() : infoFill.Get());
            ::SelectObject(hdc, hasSource ? sourceOutline.Get() : plainOutline.Get());
            FillOutline(hdc, m_rcSquare[row]);
        }
    }

    // Only the value 1 draws: documents may hold other digits here.
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        if (m_separatorLines[gap] == 1) HorizontalLine(hdc, g.separatorLineY[gap], g.separatorLine);
    }

    if (m_bFirstPaint) {
        m_bFirstPaint = FALSE;
        m_nSumTimer = ::SetTimer(m_hWnd, kSumTimerId, kSumTimerMs, nullptr);
        m_nLinkTimer = ::SetTimer(m_hWnd, kLinkTimerId, kLinkTimerMs, nullptr);
        // Links that arrived before the window showed are taken now, and
        // the sums of the document read at start-up worked out.
        ::PostMessageA(m_hWnd, WM_APP_LINKS, 0, 0);
        ::PostMessageA(m_hWnd, WM_APP_SHOWN, 0, 0);
        RequestSums();
    }
    if (!m_bAnimRunning && m_bStartupPending) {
        m_bStartupPending = FALSE;
        m_animRepeat = 1;
        StartAnimation();
    }
}

// Every move first repaints what the previous move framed and then frames
// what lies under the pointer now, so a frame lasts until the next move.
void CPriceListDlg::OnMouseMove(UINT, POINT pt) {
    const grid::GridGeometry g = grid::GeometryOf(m_hWnd);
    const dialogkit::ClientDc dc(m_hWnd);
    const HDC hdc = dc.Get();

    // A drag ends for good once the pointer leaves its band.
    if (!grid::Contains(g.rowLabelBand, pt)) m_nDragRow = kNoDrag;
    if (!grid::Contains(g.columnHeaderBand, pt)) m_nDragColumn = kNoDrag;

    if (IsIndex(m_nHoverRow, ids::kRows)) Repaint(&m_rcRowLabel[m_nHoverRow]);
    if (IsIndex(m_nLastDragRow, ids::kRows)) Repaint(&m_rcRowLabel[m_nLastDragRow]);
    if (grid::Contains(g.rowLabelFrameBand, pt)) {
        const int row = grid::RowLabelAt(g, pt);
        if (row >= 0) {
            if (DragRunning(m_nDragRow) && IsIndex(m_nLastDragRow, ids::kRows)) {
                // The etched frames of "N" are on every label: the source
                // must look different from them.
                const bool numbersOn = m_btnNumbers.GetCheck() != BST_UNCHECKED;
                Frame(hdc, m_rcRowLabel[m_nLastDragRow], numbersOn ? kFlatFrame : kEtchedFrame);
            }
            Frame(hdc, m_rcRowLabel[row], kFlatFrame);
            m_nHoverRow = row;
        }
    }

    if (IsIndex(m_nHoverColumn, ids::kColumns)) Repaint(&m_rcColumnHeader[m_nHoverColumn]);
    if (IsIndex(m_nLastDragColumn, ids::kColumns)) Repaint(&m_rcColumnHeader[m_nLastDragColumn]);
    const int column = grid::ColumnHeaderAt(g, pt);
    if (column >= 0) {
        if (DragRunning(m_nDragColumn) && IsIndex(m_nLastDragColumn, ids::kColumns)) {
            Frame(hdc, m_rcColumnHeader[m_nLastDragColumn], kEtchedFrame);
        }
        Frame(hdc, m_rcColumnHeader[column], kFlatFrame);
        m_nHoverColumn = column;
    }

    if (IsIndex(m_nHoverSquare, ids::kRows)) Repaint(&m_rcSquare[m_nHoverSquare]);
    const int square = grid::SquareAt(g, pt);
    if (square >= 0) {
        Frame(hdc, m_rcSquare[square], kFlatFrame);
        m_nHoverSquare = square;
    }

    const dialogkit::Pen markerOutline(::CreatePen(PS_SOLID, 1, kPlainOutline));
    const dialogkit::Brush markerFill(::CreateSolidBrush(kPlainFill));
    const dialogkit::SelectGuard keepPen(hdc, markerOutline.Get());
    const dialogkit::SelectGuard keepBrush(hdc, markerFill.Get());
    Repaint(&g.separatorStrip);
    const int gap = grid::SeparatorAt(g, pt);
    if (gap >= 0) FillOutline(hdc, m_rcSeparator[gap]);
}

HCURSOR CPriceListDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CPriceListDlg::Repaint(const RECT* rect) {
    ::RedrawWindow(m_hWnd, rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
