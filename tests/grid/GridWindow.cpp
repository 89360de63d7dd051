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
    RECT client{};
    ::GetClientRect(wnd, &client);
    width = client.right, height = client.bottom;
    const dialogkit::ClientDc from(wnd);
    pixels = Capture(width, height, [&](HDC dc) { ::BitBlt(dc, 0, 0, width, height, from.Get(), 0, 0, SRCCOPY); });
}

char FrameOn(const ClientPixels& pixels, const RECT& r) {
    const int w = r.right - r.left, h = r.bottom - r.top;
    for (const char kind : {'e', 'f'}) {
        RECT local{0, 0, w, h};
        const UINT flags = kind == 'f' ? BF_RECT | BF_MONO : BF_RECT;
        const std::vector<COLORREF> frame = Capture(w, h, [&](HDC dc) { ::DrawEdge(dc, &local, EDGE_ETCHED, flags); });
        int differing = 0;
        for (int i = 0; i < w * h; ++i) {
            const int x = i % w, y = i / w;
            if (x < 2 || y < 2 || x >= w - 2 || y >= h - 2) differing += frame[i] != pixels.At(r.left + x, r.top + y);
        }
        if (differing == 0) return kind;
    }
    return '.';
}

RECT RectInParent(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void GridWindowTest::WriteAnimationScript(std::vector<std::string> frames) const {
    const bool alternate = frames.empty();
    const std::string stripes = "010101010101010101010";  // any 20 in a row alternate
    for (int frame = 0; alternate && frame < 40; ++frame) frames.push_back(stripes.substr(frame % 2, ids::kRows));
    std::string script = std::string("[") + kScriptSection + "]\r\n";
    int key = 0;
    for (const std::string& frame : frames) script += FrameKey(key++) + "=" + frame + "\r\n";
    WriteFileBytes(TestApp().m_strConfigPath, script);
}
