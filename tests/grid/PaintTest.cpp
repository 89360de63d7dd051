// The window's own drawing, read back from its pixels: squares, lines, and
// the frames and markers of "N", the hover and the drags.
#include "grid/GridWindow.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kPlainFill = 0xC6C3C6, kInfoFill = 0xC8BEAA;
constexpr COLORREF kPlainOutline = 0x646464, kSourceOutline = 0x0000B4;

// Whether the rectangle shows this fill inside this one-pixel outline.
bool Shows(const ClientPixels& pixels, const RECT& r, COLORREF fill, COLORREF outline) {
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            wrong += pixels.At(x, y) != (x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1 ? outline : fill);
        }
    }
    return wrong == 0;
}

}  // namespace

class GridPaint : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        Open();
        g = Geometry();
    }
    // Labels, headers, squares and separators, a letter an entry: '.' plain,
    // 'e' an etched frame, 'f' a flat one, 'm' the separator marker.
    std::string Looks() const {
        const ClientPixels pixels = Pixels();
        const auto frames = [&](const auto& rects) {
            std::string s;
            for (const RECT& r : rects) s += ".ef"[static_cast<int>(FrameOn(pixels, r))];
            return s + "|";
        };
        std::string markers;
        for (const RECT& r : g.separator) markers += Shows(pixels, r, kPlainFill, kPlainOutline) ? 'm' : '.';
        return frames(g.rowLabel) + frames(g.columnHeader) + frames(g.square) + markers;
    }
    grid::GridGeometry g;
};

TEST_F(GridPaint, SquaresShowInfoTextAndSources) {
    const RowInfo infos[] = {{"", "", "", 1}, {"Notiz", "", "", 1}, {"", "", "http://x.org", 1},
                             {"", "C:\\a.txt", "", 1}, {"Notiz", "C:\\a.txt", "y", 1}};
    const COLORREF looks[][2] = {{kPlainFill, kPlainOutline}, {kInfoFill, kPlainOutline}, {kPlainFill, kSourceOutline},
                                 {kPlainFill, kSourceOutline}, {kInfoFill, kSourceOutline}};
    for (int i = 0; i < 5; ++i) dlg->m_rowInfo[4 * i + 3] = infos[i];
    Show();
    const ClientPixels pixels = Pixels();
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(Shows(pixels, g.square[4 * i + 3], looks[i][0], looks[i][1])) << i;
    dlg->m_rowInfo[0] = infos[4];
    dlg->Repaint(&g.square[0]);
    EXPECT_TRUE(Shows(Pixels(), g.square[0], kInfoFill, kSourceOutline)) << "a repaint shows the new colours";
}

TEST_F(GridPaint, SeparatorLinesOnlyForAFlagOfExactlyOneAndGridLines) {
    const int flags[ids::kSeparators] = {1, 0, 2, 0, 0, 0, 0, 5, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1};
    std::copy(std::begin(flags), std::end(flags), dlg->m_separatorLines);
    Show();
    const ClientPixels pixels = Pixels();
    std::vector<int> xs = {35, 120, 237, 293, 755};
    for (const RECT& header : g.columnHeader) xs.insert(xs.end(), {header.left, header.right - 1});
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        const int y = g.separatorLineY[gap];
        if (gap % 5 == 4) continue;  // a grid line lies there
        for (const int x : xs) EXPECT_EQ(pixels.At(x, y) == kBlack, flags[gap] == 1) << gap << " at " << x;
        EXPECT_NE(pixels.At(34, y), kBlack) << "the line starts at the goods field";
    }
    for (const int y : g.gridLineY) {  // above rows 01, 06, 11, 16 and below 20; ticks between the columns
        for (const int x : {35, 150, 284, 298, 302, 355, 368, 751, 755}) EXPECT_EQ(pixels.At(x, y), kBlack) << x << "," << y;
        for (const int x : {34, 285, 303, 350}) EXPECT_NE(pixels.At(x, y), kBlack) << x << "," << y;
    }
}

TEST_F(GridPaint, FramesAndMarkersOfNumbersHoverAndDrags) {
    Show();
    const auto label = [&](int row) { return Centre(g.rowLabel[row]); };
    const auto header = [&](int column) { return Centre(g.columnHeader[column]); };
    const std::string none(ids::kRows, '.'), all(ids::kRows, 'e');
    const auto looks = [&](const std::string& labels, const char* headers = ".......",
                           const std::string& squares = "....................", const char* markers = "...................") {
        return labels + "|" + headers + "|" + squares + "|" + markers;
    };
    // With more than one point the first is a press and the others drag;
    // a drag ends for good where the pointer leaves its band (x = 35, y = 40).
    const std::vector<std::tuple<bool, std::vector<POINT>, std::string>> cases = {
        {false, {label(5)}, looks(".....f..............")},
        {false, {label(6)}, looks("......f.............")},
        {false, {header(3)}, looks(none, "...f...")},
        {false, {Centre(g.square[7])}, looks(none, ".......", ".......f............")},
        {false, {POINT{295, g.separator[3].top + 5}}, looks(none, ".......", none, "...m...............")},
        {false, {POINT{295, g.separator[4].top}}, looks(none, ".......", none, "....m..............")},
        {false, {POINT{100, 100}}, looks(none)},
        {false, {POINT{34, label(2).y}}, looks(none)},
        {true, {POINT{100, 100}}, looks(all)},
        {true, {label(2), label(6)}, looks("eefeeefeeeeeeeeeeeee")},
        {false, {label(2), label(9)}, looks("..e......f..........")},
        {false, {header(1), header(4)}, looks(none, ".e..f..")},
        {true, {header(1), header(5)}, looks(all, ".e...f.")},
        {false, {label(2), POINT{34, label(6).y}, POINT{35, label(6).y}, label(6)}, looks("......f.............")},
        {false, {header(1), POINT{360, 20}, POINT{360, 40}, header(2)}, looks(none, "..f....")},
    };
    for (const auto& [numbers, path, expected] : cases) {
        if ((Check(ids::kNumbers) == BST_CHECKED) != numbers) Click(ids::kNumbers);
        if (path.size() > 1) Mouse(WM_LBUTTONDOWN, path.front(), MK_LBUTTON);
        for (const POINT& pt : path) MoveMouse(pt.x, pt.y, path.size() > 1 ? MK_LBUTTON : 0);
        EXPECT_EQ(Looks(), expected) << "at " << path.back().x << "," << path.back().y;
    }
}
