// The window's own drawing and the geometry the mouse gestures rely on.
#include "app/PriceListDlg.h"
#include "dialogkit/GdiGuards.h"

void CPriceListDlg::SetupGeometry() {}

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
    if (m_bFirstPaint) {
        m_bFirstPaint = FALSE;
        m_nSumTimer = ::SetTimer(m_hWnd, kSumTimerId, kSumTimerMs, nullptr);
        m_nLinkTimer = ::SetTimer(m_hWnd, kLinkTimerId, kLinkTimerMs, nullptr);
    }
    if (!m_bAnimRunning && m_bStartupPending) {
        m_bStartupPending = FALSE;
        m_animRepeat = 1;
        StartAnimation();
    }
}

void CPriceListDlg::OnMouseMove(UINT, POINT) {}

HCURSOR CPriceListDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

void CPriceListDlg::Repaint(const RECT* rect) {
    ::RedrawWindow(m_hWnd, rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
