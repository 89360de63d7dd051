#pragma once
// The main window made visible on the test display, with what the grid
// tests read back from it: pixels of the client area and the frames that
// DrawEdge leaves there.
#include "support/Harness.h"

#include "grid/Geometry.h"

#include <functional>
#include <string>
#include <tuple>
#include <vector>

// A rectangle as gtest compares and prints it: left, top, right, bottom.
using Ltrb = std::tuple<LONG, LONG, LONG, LONG>;
inline Ltrb AsLtrb(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// A copy of the window's client area at one moment.
class ClientPixels {
public:
    explicit ClientPixels(HWND wnd);
    ~ClientPixels();
    ClientPixels(const ClientPixels&) = delete;
    ClientPixels& operator=(const ClientPixels&) = delete;

    COLORREF At(int x, int y) const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// Runs its function when it goes out of scope, whatever a test's outcome:
// puts back what a test changed outside the program (colours, registry).
struct AtExit {
    std::function<void()> run;
    ~AtExit() { run(); }
};

enum class FrameKind { kNone, kEtched, kFlat };
const char* FrameName(FrameKind kind);

// Which of the two frames (if any) lies on the rectangle's two-pixel ring:
// compared pixel for pixel with DrawEdge's own drawing of that rectangle.
FrameKind FrameOn(const ClientPixels& pixels, const RECT& rect);

// A child window of the dialog as the tests look at it.
struct ChildInfo {
    std::string className;
    std::string text;
    LONG style = 0;
    RECT rect{};  // client coordinates of the dialog
};
std::vector<ChildInfo> Children(HWND dialog);

class GridWindowTest : public MainDialogTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the window without activating it and paints it at once.
    void Show() const;
    void MoveMouse(int x, int y, UINT flags = 0) const;
    void RepaintAll() const;
    ClientPixels Pixels() const { return ClientPixels(Wnd()); }
    grid::GridGeometry Geometry() const { return grid::GeometryOf(Wnd()); }
    // A control's rectangle in the dialog's client coordinates.
    RECT ItemRect(int id) const;
    static POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    // Writes an animation script into the configuration file; removed again
    // at tear-down.
    void WriteAnimationScript() const;

private:
    POINT m_savedCursor{};
};
