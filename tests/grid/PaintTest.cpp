// The window's own drawing, read back from its pixels: squares, lines, and
// the frames and markers of "N", the hover and the drags.
#include "grid/GridWindow.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kPlainFill = 0xC6C3C6, kInfoFill = 0xC8BEAA;
constexpr COLORREF kPlainOutline = 0x646464, kSourceOutline = 0x0000B4;

// Whether the rectangle shows this fill inside this one-pixel outline.
bool Shows(const ClientPixels& pixels, const RECT& r, COLORREF fill, COLORREF outline) {
    int wrong = 0;
    for (int i = 0; i < (r.right - r.left) * (r.bottom - r.top); ++i) {
        const int x = r.left + i % (r.right - r.left), y = r.top + i / (r.right - r.left);
        wrong += pixels.At(x, y) != (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1 ? outline : fill);
    }
    return wrong == 0;
}

}  // namespace

using GridPaint = GridWindowTest;

TEST_F(GridPaint, SquaresShowInfoAndSourcesSeparatorLinesOnlyAFlagOfOne) {
    // Rows 02, 08, 14 and 20: nothing, an info text, a second source, both.
    const std::string lines = "1020000500001000001", document = TestDir() + "\\Gezeichnet.pgx";
    WriteFileBytes(document, "[SETTINGS]\r\nLines=" + lines + "\r\n[INFO]\r\nText08=Notiz\r\nURN214=http://x.org\r\n"
                             "Text20=Notiz\r\nURN120=C:\\a.txt\r\n");
    const COLORREF squares[][2] = {{kPlainFill, kPlainOutline}, {kInfoFill, kPlainOutline}, {kPlainFill, kSourceOutline},
                                   {kInfoFill, kSourceOutline}};
    Open(document);
    RemoveFile(document);
    Show();
    const ClientPixels pixels = Pixels();
    const grid::GridGeometry g = Geometry();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(Shows(pixels, g.square[6 * i + 1], squares[i][0], squares[i][1])) << i;
    for (int gap = 0; gap < ids::kSeparators; ++gap) {  // across the list and the columns; every fifth is a grid line
        for (const int x : {35, 120, 237, 293, 302, 355, 500, 751, 755}) {
            EXPECT_TRUE(gap % 5 == 4 || (pixels.At(x, g.separatorLineY[gap]) == kBlack) == (lines[gap] == '1')) << gap << " " << x;
        }
        EXPECT_NE(pixels.At(34, g.separatorLineY[gap]), kBlack) << "the line starts at the goods field";
    }
    for (const int y : g.gridLineY) {  // above rows 01, 06, 11, 16 and below 20, with ticks between the columns
        for (const int x : {35, 150, 284, 298, 302, 355, 368, 751, 755}) EXPECT_EQ(pixels.At(x, y), kBlack) << x << "," << y;
        for (const int x : {34, 285, 303, 350}) EXPECT_NE(pixels.At(x, y), kBlack) << x << "," << y;
    }
}

TEST_F(GridPaint, FramesAndMarkersOfNumbersHoverAndDrags) {
    Open();
    Show();
    const grid::GridGeometry g = Geometry();
    // Labels|headers|squares|separators, a letter an entry: '.' plain, 'e' an
    // etched frame, 'f' a flat one, 'm' the separator marker.
    const auto looks = [&] {
        const ClientPixels pixels = Pixels();
        const auto frames = [&](const auto& rects) {
            std::string s;
            for (const RECT& r : rects) s += ".ef"[static_cast<int>(FrameOn(pixels, r))];
            return s + "|";
        };
        std::string markers;
        for (const RECT& r : g.separator) markers += ".m"[Shows(pixels, r, kPlainFill, kPlainOutline)];
        return frames(g.rowLabel) + frames(g.columnHeader) + frames(g.square) + markers;
    };
    const auto label = [&](int row) { return Centre(g.rowLabel[row]); };
    const auto header = [&](int column) { return Centre(g.columnHeader[column]); };
    const std::string none = "....................", all = "eeeeeeeeeeeeeeeeeeee", rest = "|" + none + "|...................";
    // With more than one point the first is a press and the others drag; a
    // drag ends for good where the pointer leaves its band (x = 35, y = 40).
    const std::vector<std::tuple<bool, std::vector<POINT>, std::string>> cases = {
        {false, {label(5)}, ".....f..............|......." + rest},
        {false, {header(3)}, none + "|...f..." + rest},
        {false, {Centre(g.square[7])}, none + "|.......|.......f............|..................."},
        {false, {POINT{295, g.separator[3].top + 5}}, none + "|.......|" + none + "|...m..............."},
        {true, {POINT{100, 100}}, all + "|......." + rest},
        {true, {label(2), label(6)}, "eefeeefeeeeeeeeeeeee|......." + rest},
        {false, {label(2), label(9)}, "..e......f..........|......." + rest},
        {true, {header(1), header(5)}, all + "|.e...f." + rest},
        {false, {label(2), POINT{34, label(6).y}, POINT{35, label(6).y}, label(6)}, "......f.............|......." + rest},
        {false, {header(1), POINT{360, 20}, POINT{360, 40}, header(2)}, none + "|..f...." + rest}};
    for (const auto& [numbers, path, expected] : cases) {
        if ((Check(ids::kNumbers) == BST_CHECKED) != numbers) Click(ids::kNumbers);
        if (path.size() > 1) Mouse(WM_LBUTTONDOWN, path.front(), MK_LBUTTON);
        for (const POINT& pt : path) MoveMouse(pt.x, pt.y, path.size() > 1 ? MK_LBUTTON : 0);
        EXPECT_EQ(looks(), expected) << "at " << path.back().x << "," << path.back().y;
    }
}
