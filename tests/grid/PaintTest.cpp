// The window's own drawing, read back from its pixels: squares, lines, and
// the frames and markers of "N", the hover and the drags.
#include "grid/GridWindow.h"

#include <array>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kPlainFill = 0xC6C3C6, kInfoFill = 0xC8BEAA;
constexpr COLORREF kPlainOutline = 0x646464, kSourceOutline = 0x0000B4;

// Whether the rectangle shows this one-pixel outline (at two corners) around this fill.
bool Shows(const ClientPixels& p, const RECT& r, COLORREF fill, COLORREF outline) {
    return p.At(r.left, r.top) == outline && p.At(r.right - 1, r.bottom - 1) == outline &&
           p.At(r.left + 1, r.top + 1) == fill && p.At(r.right - 2, r.bottom - 2) == fill;
}

}  // namespace

TEST_F(GridWindowTest, PaintOfSquaresLinesAndTheFramesOfNumbersHoverAndDrags) {
    // Rows 02, 08, 14 and 20: nothing, an info text, a second source, both.
    const std::string lines = "1020000500001000001", document = TestDir() + "\\Gezeichnet.pgx";
    WriteFileBytes(document, "[SETTINGS]\r\nLines=" + lines + "\r\n[INFO]\r\nText08=Notiz\r\nURN214=http://x.org\r\n"
                             "Text20=Notiz\r\nURN120=C:\\a.txt\r\n");
    const COLORREF squares[][2] = {{kPlainFill, kPlainOutline}, {kInfoFill, kPlainOutline},
                                   {kPlainFill, kSourceOutline}, {kInfoFill, kSourceOutline}};
    Open(document);
    RemoveFile(document);
    Show();
    const ClientPixels pixels = Pixels();
    const grid::GridGeometry g = Geometry();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Shows(pixels, g.square[6 * i + 1], squares[i][0], squares[i][1])) << i;
    for (int i = 0; i < ids::kSeparators * 10; ++i) {  // across the list and the columns; every fifth is a grid line
        const int gap = i / 10, x = std::array{34, 35, 120, 237, 293, 302, 355, 500, 751, 755}[i % 10];
        const bool drawn = x > 34 && lines[gap] == '1';  // only a flag of exactly 1, from the goods field on
        EXPECT_TRUE(gap % 5 == 4 || (pixels.At(x, g.separatorLineY[gap]) == kBlack) == drawn) << gap << " at " << x;
    }
    // Labels|headers|squares|separators, a letter an entry: '.' plain, 'e' an
    // etched frame, 'f' a flat one, 'm' the separator marker.
    const auto looks = [&] {
        const ClientPixels now = Pixels();
        const auto frames = [&](const auto& rects) {
            std::string s;
            for (const RECT& r : rects) s += FrameOn(now, r);
            return s + "|";
        };
        std::string markers;
        for (const RECT& r : g.separator) markers += ".m"[Shows(now, r, kPlainFill, kPlainOutline)];
        return frames(g.rowLabel) + frames(g.columnHeader) + frames(g.square) + markers;
    };
    const auto label = [&](int row) { return Centre(g.rowLabel[row]); };
    const auto header = [&](int column) { return Centre(g.columnHeader[column]); };
    const std::string none(ids::kRows, '.'), all(ids::kRows, 'e'), rest = "|" + none + "|" + std::string(19, '.');
    // With more than one point the first is a press and the others drag; a
    // drag ends for good where the pointer leaves its band (x = 35, y = 40).
    const std::vector<std::tuple<bool, std::vector<POINT>, std::string>> cases = {
        {false, {label(5)}, ".....f..............|......." + rest},
        {false, {Centre(g.square[7])}, none + "|.......|.......f............|..................."},
        {false, {POINT{295, g.separator[3].top + 5}}, none + "|.......|" + none + "|...m..............."},
        {true, {POINT{100, 100}}, all + "|......." + rest},
        {true, {label(2), label(6)}, "eefeeefeeeeeeeeeeeee|......." + rest},
        {false, {label(2), label(9)}, "..e......f..........|......." + rest},
        {true, {header(1), header(5)}, all + "|.e...f." + rest},
        {false, {label(2), POINT{34, label(6).y}, POINT{35, label(6).y}, label(6)},
         "......f.............|......." + rest},
        {false, {header(1), POINT{360, 20}, POINT{360, 40}, header(2)}, none + "|..f...." + rest}};
    for (const auto& [numbers, path, expected] : cases) {
        if ((Check(ids::kNumbers) == BST_CHECKED) != numbers) Click(ids::kNumbers);
        path.size() > 1 ? Drag(path, 0, false) : Mouse(WM_MOUSEMOVE, path.front());
        EXPECT_EQ(looks(), expected) << "at " << path.back().x << "," << path.back().y;
    }
}
