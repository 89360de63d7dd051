#include "grid/GridWindow.h"

#include "model/AnimationScript.h"

ClientPixels::ClientPixels(HWND wnd) {
    RECT client{};
    ::GetClientRect(wnd, &client);
    m_width = client.right;
    m_height = client.bottom;
    const HDC windowDc = ::GetDC(wnd);
    m_dc = ::CreateCompatibleDC(windowDc);
    m_bitmap = ::CreateCompatibleBitmap(windowDc, m_width, m_height);
    m_old = ::SelectObject(m_dc, m_bitmap);
    ::BitBlt(m_dc, 0, 0, m_width, m_height, windowDc, 0, 0, SRCCOPY);
    ::ReleaseDC(wnd, windowDc);
}

ClientPixels::~ClientPixels() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

COLORREF ClientPixels::At(int x, int y) const { return ::GetPixel(m_dc, x, y); }

const char* FrameName(FrameKind kind) {
    switch (kind) {
        case FrameKind::kEtched: return "etched";
        case FrameKind::kFlat: return "flat";
        default: return "none";
    }
}

namespace {

// The ring pixels of DrawEdge's frame on a rectangle of this size.
std::vector<COLORREF> ReferenceRing(const RECT& rect, UINT flags) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC dc = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
    ::ReleaseDC(nullptr, screen);
    const HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT local{0, 0, w, h};
    ::DrawEdge(dc, &local, EDGE_ETCHED, flags);
    std::vector<COLORREF> ring;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) ring.push_back(::GetPixel(dc, x, y));
        }
    }
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return ring;
}

std::vector<COLORREF> RingOf(const ClientPixels& pixels, const RECT& rect) {
    const int w = rect.right - rect.left;
    const int h = rect.bottom - rect.top;
    std::vector<COLORREF> ring;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) ring.push_back(pixels.At(rect.left + x, rect.top + y));
        }
    }
    return ring;
}

}  // namespace

FrameKind FrameOn(const ClientPixels& pixels, const RECT& rect) {
    const std::vector<COLORREF> ring = RingOf(pixels, rect);
    if (ring == ReferenceRing(rect, BF_RECT)) return FrameKind::kEtched;
    if (ring == ReferenceRing(rect, BF_RECT | BF_MONO)) return FrameKind::kFlat;
    return FrameKind::kNone;
}

namespace {

BOOL CALLBACK CollectChild(HWND child, LPARAM lParam) {
    auto* children = reinterpret_cast<std::vector<ChildInfo>*>(lParam);
    ChildInfo info;
    char buffer[256] = {};
    ::GetClassNameA(child, buffer, sizeof buffer);
    info.className = buffer;
    info.text = dialogkit::WindowText(child, sizeof buffer);
    info.style = ::GetWindowLongA(child, GWL_STYLE);
    ::GetWindowRect(child, &info.rect);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&info.rect), 2);
    children->push_back(info);
    return TRUE;
}

}  // namespace

std::vector<ChildInfo> Children(HWND dialog) {
    std::vector<ChildInfo> children;
    ::EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

void GridWindowTest::SetUp() {
    MainDialogTest::SetUp();
    // The real pointer must not wander over the window and move the hover.
    ::GetCursorPos(&m_savedCursor);
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

void GridWindowTest::TearDown() {
    if (dlg && dlg->m_pAnimThread) dlg->StopAnimation();
    RemoveFile(TestApp().m_strConfigPath);
    MainDialogTest::TearDown();
    ::SetCursorPos(m_savedCursor.x, m_savedCursor.y);
}

void GridWindowTest::Show() const {
    ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(Wnd());
}

void GridWindowTest::MoveMouse(int x, int y, UINT flags) const {
    ::SendMessageA(Wnd(), WM_MOUSEMOVE, flags, MAKELPARAM(x, y));
}

void GridWindowTest::RepaintAll() const {
    ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

RECT GridWindowTest::ItemRect(int id) const {
    RECT r{};
    ::GetWindowRect(Item(id), &r);
    ::MapWindowPoints(nullptr, Wnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void GridWindowTest::WriteAnimationScript() const {
    std::string script = "[";
    script.append(kScriptSection).append("]\r\n");
    for (int frame = 0; frame < 40; ++frame) {
        script.append(FrameKey(frame)).append("=");
        script.append(frame % 2 ? "10101010101010101010" : "01010101010101010101").append("\r\n");
    }
    WriteFileBytes(TestApp().m_strConfigPath, script);
}
