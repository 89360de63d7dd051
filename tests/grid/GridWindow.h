#pragma once
// The main window made visible on the test display, with what the grid
// tests read back from it (client pixels, the frames DrawEdge leaves there,
// the child windows) and the mouse gestures they send it.
#include "support/Harness.h"

#include "grid/Geometry.h"

#include <functional>
#include <tuple>

// A rectangle as gtest compares and prints it: left, top, right, bottom.
using Ltrb = std::tuple<LONG, LONG, LONG, LONG>;
inline Ltrb AsLtrb(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A copy of the window's client area at one moment.
class ClientPixels {
public:
    explicit ClientPixels(HWND wnd);
    COLORREF At(int x, int y) const {
        return x < 0 || y < 0 || x >= Width() || y >= Height() ? CLR_INVALID : m_pixels[y * Width() + x];
    }
    int Width() const { return m_client.right; }
    int Height() const { return m_client.bottom; }

private:
    RECT m_client{};
    std::vector<COLORREF> m_pixels;
};

// Runs its function when it goes out of scope, whatever a test's outcome:
// puts back what a test changed outside the program (colours, registry).
struct AtExit {
    std::function<void()> run;
    ~AtExit() { run(); }
};

enum class FrameKind { kNone, kEtched, kFlat };
inline const char* FrameName(FrameKind kind) {
    return kind == FrameKind::kEtched ? "etched" : kind == FrameKind::kFlat ? "flat" : "none";
}
// Which of the two frames (if any) lies on the rectangle's two-pixel ring:
// compared pixel for pixel with DrawEdge's own drawing of that rectangle.
FrameKind FrameOn(const ClientPixels& pixels, const RECT& rect);

// A child window of the dialog as the tests look at it.
struct ChildInfo {
    std::string className, text;
    LONG style = 0;
    RECT rect{};  // client coordinates of the dialog
    int id = 0;
};
std::vector<ChildInfo> Children(HWND dialog);

class GridWindowTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(TestApp().m_strConfigPath);
        // The real pointer must not wander over the window and move the hover.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        RemoveFile(TestApp().m_strConfigPath);
    }

    // Shows the window without activating it and paints it at once.
    void Show() const { ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE); ::UpdateWindow(Wnd()); }
    void MoveMouse(int x, int y, UINT flags = 0) const { Mouse(WM_MOUSEMOVE, {x, y}, flags); }
    void RepaintAll() const {
        ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    ClientPixels Pixels() const { return ClientPixels(Wnd()); }
    grid::GridGeometry Geometry() const { return grid::GeometryOf(Wnd()); }
    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    // A control's rectangle in the dialog's client coordinates.
    RECT ItemRect(int id) const {
        RECT r{};
        ::GetWindowRect(Item(id), &r);
        ::MapWindowPoints(nullptr, Wnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    void Mouse(UINT msg, POINT pt, UINT flags) const { ::SendMessageA(Wnd(), msg, flags, MAKELPARAM(pt.x, pt.y)); }
    // Presses on the first point, moves over them all, releases on the last.
    void Drag(const std::vector<POINT>& path, UINT keys = 0) const {
        Mouse(WM_LBUTTONDOWN, path.front(), MK_LBUTTON | keys);
        for (const POINT& pt : path) MoveMouse(pt.x, pt.y, MK_LBUTTON | keys);
        Mouse(WM_LBUTTONUP, path.back(), keys);
    }
    // Writes an animation script (40 alternating frames unless given) into
    // the configuration file; removed again at tear-down.
    void WriteAnimationScript(std::vector<std::string> frames = {}) const;
};
