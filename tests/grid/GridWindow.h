#pragma once
// The main window made visible on the test display, with what the grid
// tests read back from it (client pixels, the frames DrawEdge leaves there,
// where its children lie) and the mouse gestures they send it.
#include "support/Harness.h"

#include "dialogkit/GdiGuards.h"
#include "grid/Geometry.h"
#include "model/AnimationScript.h"

#include <commctrl.h>

// The w x h pixels that `draw` leaves on a blank bitmap.
template <typename Draw>
std::vector<COLORREF> Capture(int w, int h, Draw draw) {
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD* bits = nullptr;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const dialogkit::GdiObject<HBITMAP> bitmap(
        ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    ::SelectObject(dc, bitmap.Get());
    draw(dc);
    ::GdiFlush();
    std::vector<COLORREF> pixels;
    for (int i = 0; i < w * h; ++i) pixels.push_back(RGB(GetBValue(bits[i]), GetGValue(bits[i]), GetRValue(bits[i])));
    ::DeleteDC(dc);
    return pixels;
}

// A copy of the window's client area at one moment.
struct ClientPixels {
    explicit ClientPixels(HWND wnd) {
        RECT client{};
        ::GetClientRect(wnd, &client);
        width = client.right, height = client.bottom;
        const dialogkit::ClientDc from(wnd);
        pixels = Capture(width, height, [&](HDC dc) { ::BitBlt(dc, 0, 0, width, height, from.Get(), 0, 0, SRCCOPY); });
    }
    COLORREF At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? CLR_INVALID : pixels[y * width + x];
    }
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

// Which of the two frames lies on the rectangle's two-pixel ring: "etched",
// "flat" (BF_MONO) or neither (null); compared pixel for pixel with
// DrawEdge's own drawing of that rectangle.
inline const char* FrameOn(const ClientPixels& pixels, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (const UINT flags : {BF_RECT, BF_RECT | BF_MONO}) {
        RECT local{0, 0, w, h};
        const std::vector<COLORREF> frame = Capture(w, h, [&](HDC dc) { ::DrawEdge(dc, &local, EDGE_ETCHED, flags); });
        int differing = 0;
        for (int i = 0; i < w * h; ++i) {
            const int x = i % w, y = i / w;
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) differing += frame[i] != pixels.At(r.left + x, r.top + y);
        }
        if (differing == 0) return flags & BF_MONO ? "flat" : "etched";
    }
    return nullptr;
}

// A child window's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}
inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// Its helpers are public: the action tables' steps use them.
class GridWindowTest : public MainDialogTest {
public:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(TestApp().m_strConfigPath);
        // The real pointer must not wander over the window and move the hover.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void TearDown() override { MainDialogTest::TearDown(); RemoveFile(TestApp().m_strConfigPath); }

    // Shows the window without activating it, paints it at once and lets
    // it do what it does once shown, as a user sees it.
    void Show() const {
        ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE);
        ::UpdateWindow(Wnd());
        PumpUntil([] { return false; }, 0);
    }
    grid::GridGeometry Geometry() const { return grid::GeometryOf(Wnd()); }
    // The tip the window shows over a control ("" for none).
    std::string TipOf(int id) const {
        char text[80] = {};
        TOOLINFOA tool{sizeof tool, 0, Wnd(), reinterpret_cast<UINT_PTR>(Item(id)), {}, nullptr, text, 0, nullptr};
        ::SendMessageA(dlg->m_hPriceTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
    RECT ItemRect(int id) const { return RectInParent(Item(id)); }
    void Mouse(UINT msg, POINT pt, UINT flags = 0) const { ::SendMessageA(Wnd(), msg, flags, MAKELPARAM(pt.x, pt.y)); }
    // Presses on the first point and moves over them all, with the keys
    // held; releases on the last unless told to hold on.
    void Drag(const std::vector<POINT>& path, UINT keys = 0, bool release = true) const {
        Mouse(WM_LBUTTONDOWN, path.front(), MK_LBUTTON | keys);
        for (const POINT& pt : path) Mouse(WM_MOUSEMOVE, pt, MK_LBUTTON | keys);
        if (release) Mouse(WM_LBUTTONUP, path.back(), keys);
    }
    // Writes an animation script (two alternating frames unless given) into
    // the configuration file; removed again at tear-down.
    void WriteAnimationScript(std::vector<std::string> frames = {"01010101010101010101", "10101010101010101010"}) const {
        std::string script = std::string("[") + kScriptSection + "]\r\n";
        for (int key = 0; key < static_cast<int>(frames.size()); ++key) script += FrameKey(key) + "=" + frames[key] + "\r\n";
        WriteFileBytes(TestApp().m_strConfigPath, script);
    }
};
