#include "grid/GridWindow.h"

#include "dialogkit/GdiGuards.h"
#include "model/AnimationScript.h"

// The w x h pixels that `draw` leaves on a blank bitmap.
template <typename Draw>
static std::vector<COLORREF> Capture(int w, int h, Draw draw) {
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

ClientPixels::ClientPixels(HWND wnd) {
    ::GetClientRect(wnd, &m_client);
    const dialogkit::ClientDc from(wnd);
    m_pixels = Capture(Width(), Height(),
                       [&](HDC dc) { ::BitBlt(dc, 0, 0, Width(), Height(), from.Get(), 0, 0, SRCCOPY); });
}

FrameKind FrameOn(const ClientPixels& pixels, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (const FrameKind kind : {FrameKind::kEtched, FrameKind::kFlat}) {
        RECT local{0, 0, w, h};
        const UINT flags = kind == FrameKind::kFlat ? BF_RECT | BF_MONO : BF_RECT;
        const std::vector<COLORREF> frame = Capture(w, h, [&](HDC dc) { ::DrawEdge(dc, &local, EDGE_ETCHED, flags); });
        int differing = 0;
        for (int i = 0; i < w * h; ++i) {
            const int x = i % w, y = i / w;
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) differing += frame[i] != pixels.At(r.left + x, r.top + y);
        }
        if (differing == 0) return kind;
    }
    return FrameKind::kNone;
}

std::vector<ChildInfo> Children(HWND dialog) {
    std::vector<ChildInfo> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT r{};
        ::GetWindowRect(child, &r);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        char name[64] = {};
        ::GetClassNameA(child, name, sizeof name);
        const LONG style = ::GetWindowLongA(child, GWL_STYLE);
        children.push_back({name, dialogkit::WindowText(child, 256), style, r, ::GetDlgCtrlID(child)});
    }
    return children;
}

void GridWindowTest::WriteAnimationScript(std::vector<std::string> frames) const {
    const bool alternate = frames.empty();
    for (int frame = 0; alternate && frame < 40; ++frame) {
        frames.push_back(frame % 2 ? "10101010101010101010" : "01010101010101010101");
    }
    std::string script = std::string("[") + kScriptSection + "]\r\n";
    for (size_t frame = 0; frame < frames.size(); ++frame) {
        script += FrameKey(static_cast<int>(frame)) + "=" + frames[frame] + "\r\n";
    }
    WriteFileBytes(TestApp().m_strConfigPath, script);
}
