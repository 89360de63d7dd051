#pragma once
// The main window made visible on the test display, with what the grid
// tests read back from it (client pixels, the frames DrawEdge leaves there,
// where its children lie) and the mouse gestures they send it.
#include "support/Harness.h"

#include "grid/Geometry.h"

#include <functional>

// A copy of the window's client area at one moment.
struct ClientPixels {
    explicit ClientPixels(HWND wnd);
    COLORREF At(int x, int y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? CLR_INVALID : pixels[y * width + x];
    }
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
};

// Runs its function when it goes out of scope, whatever a test's outcome:
// puts back what a test changed outside the program (colours, registry).
struct AtExit { std::function<void()> run; ~AtExit() { run(); } };

// Which of the two frames lies on the rectangle's two-pixel ring: 'e'
// etched, 'f' flat (BF_MONO), '.' neither; compared pixel for pixel with
// DrawEdge's own drawing of that rectangle.
char FrameOn(const ClientPixels& pixels, const RECT& rect);

// A child window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
inline POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
// Whether a (not empty) lies within b.
inline bool Inside(RECT a, RECT b) { RECT both{}; return ::IntersectRect(&both, &a, &b) && ::EqualRect(&both, &a); }

class GridWindowTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(TestApp().m_strConfigPath);
        // The real pointer must not wander over the window and move the hover.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void TearDown() override { MainDialogTest::TearDown(); RemoveFile(TestApp().m_strConfigPath); }

    // Shows the window without activating it and paints it at once.
    void Show() const { ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE); ::UpdateWindow(Wnd()); }
    ClientPixels Pixels() const { return ClientPixels(Wnd()); }
    grid::GridGeometry Geometry() const { return grid::GeometryOf(Wnd()); }
    RECT ItemRect(int id) const { return RectInParent(Item(id)); }
    void Mouse(UINT msg, POINT pt, UINT flags = 0) const { ::SendMessageA(Wnd(), msg, flags, MAKELPARAM(pt.x, pt.y)); }
    // Presses on the first point and moves over them all, with the keys
    // held; releases on the last unless told to hold on.
    void Drag(const std::vector<POINT>& path, UINT keys = 0, bool release = true) const {
        Mouse(WM_LBUTTONDOWN, path.front(), MK_LBUTTON | keys);
        for (const POINT& pt : path) Mouse(WM_MOUSEMOVE, pt, MK_LBUTTON | keys);
        if (release) Mouse(WM_LBUTTONUP, path.back(), keys);
    }
    // Writes an animation script (40 alternating frames unless given) into
    // the configuration file; removed again at tear-down.
    void WriteAnimationScript(std::vector<std::string> frames = {}) const;
};
