// The window's own drawing: the selected buttons' colours under any colour
// scheme, and read back from the window's pixels: selected buttons, squares,
// lines, and the frames and markers of "N", the hover and the drags.
#include "grid/GridWindow.h"
#include "grid/PriceLook.h"
#include "grid/SelectionLook.h"

#include <map>
#include <set>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kPlainFill = 0xC6C3C6, kInfoFill = 0xC8BEAA;
constexpr COLORREF kPlainOutline = 0x646464, kSourceOutline = 0x0000B4;
// A selected button is told from an unselected one at a glance: its face
// differs by at least this much in some channel, its number reads at least
// at this contrast.
constexpr int kMinFaceDifference = 60;
constexpr double kMinContrast = 4.5;

// Whether the rectangle shows this one-pixel outline (at two corners) around this fill.
bool Shows(const ClientPixels& p, const RECT& r, COLORREF fill, COLORREF outline) {
    return p.At(r.left, r.top) == outline && p.At(r.right - 1, r.bottom - 1) == outline &&
           p.At(r.left + 1, r.top + 1) == fill && p.At(r.right - 2, r.bottom - 2) == fill;
}

// An entry as the user reads it: "row 03", "square 08", "line 04" (the separator below row 04).
std::string Entry(const char* kind, int number) { return kind + std::string(number < 10 ? " 0" : " ") + std::to_string(number); }

// What the entries show: "etched" or "flat" (a frame), "marked" (a separator's marker).
using Frames = std::map<std::string, std::set<std::string>>;
// With "N" on, every row number that is not framed flat is framed etched.
Frames NumbersOn(Frames f) {
    for (int row = 1; row <= ids::kRows; ++row) {
        if (!f.count("flat") || !f.at("flat").count(Entry("row", row))) f["etched"].insert(Entry("row", row));
    }
    return f;
}

}  // namespace

TEST(GridSelectionColours, ReadableAndDistinctUnderAnyScheme) {
    // The guidelines' own figure for #767676 on white, the lightest grey that reads at 4.5:1.
    EXPECT_NEAR(grid::ContrastRatio(RGB(118, 118, 118), RGB(255, 255, 255)), 4.54, 0.005);
    // Faces and highlights of Wine, Windows 10, classic, high contrast; a highlight like the face.
    for (const COLORREF face : {RGB(245, 245, 245), RGB(240, 240, 240), RGB(212, 208, 200), RGB(0, 0, 0)}) {
        for (const COLORREF highlight : {RGB(48, 150, 250), RGB(0, 120, 215), RGB(10, 36, 106), face}) {
            const grid::SelectionColours c = grid::SelectedColours(face, highlight);
            EXPECT_TRUE(grid::ChannelDistance(c.face, face) >= kMinFaceDifference &&
                        grid::ContrastRatio(c.face, c.ink) >= kMinContrast) << std::hex << face << " " << highlight;
        }
    }
    // A price that does not count as written: the dark red where it reads,
    // and as readable on a grey or dark field.
    EXPECT_EQ(grid::WarningTextColour(RGB(255, 255, 255)), RGB(176, 0, 32));
    for (const COLORREF field : {RGB(255, 255, 255), RGB(192, 192, 192), RGB(118, 118, 118), RGB(64, 64, 64), RGB(0, 0, 0)})
        EXPECT_GE(grid::ContrastRatio(grid::WarningTextColour(field), field), kMinContrast) << std::hex << field;
}

TEST_F(GridWindowTest, PaintOfSquaresLinesAndTheFramesOfNumbersHoverAndDrags) {
    // Rows 02, 08, 14 and 20: nothing, an info text, a second source, both.
    const std::string lines = "1020000500001000001", document = TestDir() + "\\Gezeichnet.pgx";
    WriteFileBytes(document, "[BUTTONS]\r\nA=1\r\n[SETTINGS]\r\nLines=" + lines + "\r\n[INFO]\r\nText08=Notiz\r\n"
                             "URN214=http://x.org\r\nText20=Notiz\r\nURN120=C:\\a.txt\r\n");
    const struct { int row; COLORREF fill, outline; } squares[] = {{2, kPlainFill, kPlainOutline},
        {8, kInfoFill, kPlainOutline}, {14, kPlainFill, kSourceOutline}, {20, kInfoFill, kSourceOutline}};
    Open(document);
    RemoveFile(document);
    Show();
    const ClientPixels pixels(Wnd());
    const grid::GridGeometry g = Geometry();
    // Row 01's button in column A is selected: its face stands out from row 02's.
    const auto face = [&](int row) {
        const RECT f = grid::FaceRect(ItemRect(ids::Selection(row, 0)));
        return pixels.At(f.left + 2, f.bottom - 3);  // the face's own colour, in its lower left corner
    };
    EXPECT_GE(grid::ChannelDistance(face(0), face(1)), kMinFaceDifference);
    for (const auto& [row, fill, edge] : squares) EXPECT_TRUE(Shows(pixels, g.square[row - 1], fill, edge)) << "row " << row;
    // A separator line below row 01 (flag 1) but none below row 03 (flag 2), across the columns too.
    for (const int x : {120, 755}) {
        EXPECT_TRUE(pixels.At(x, g.separatorLineY[0]) == kBlack && pixels.At(x, g.separatorLineY[2]) != kBlack) << x;
    }
    const auto shown = [&] {
        const ClientPixels now(Wnd());
        Frames f;
        const auto add = [&](const std::string& entry, const RECT& r) {
            if (const char* frame = FrameOn(now, r)) f[frame].insert(entry);
        };
        for (int row = 0; row < ids::kRows; ++row) {
            add(Entry("row", row + 1), g.rowLabel[row]);
            add(Entry("square", row + 1), g.square[row]);
        }
        for (int c = 0; c < ids::kColumns; ++c) add(std::string("column ") + ids::ColumnLetter(c), g.columnHeader[c]);
        for (int gap = 0; gap < ids::kSeparators; ++gap) {
            if (Shows(now, g.separator[gap], kPlainFill, kPlainOutline)) f["marked"].insert(Entry("line", gap + 1));
        }
        return f;
    };
    const auto label = [&](int row) { return Centre(g.rowLabel[row]); };
    const auto header = [&](int column) { return Centre(g.columnHeader[column]); };
    // With more than one point the first is a press and the others drag; a
    // drag ends for good where the pointer leaves its band (x = 35, y = 40).
    const struct { bool numbers; std::vector<POINT> path; Frames expected; } cases[] = {
        {false, {label(5)}, {{"flat", {"row 06"}}}},
        {false, {Centre(g.square[7])}, {{"flat", {"square 08"}}}},
        {false, {POINT{295, g.separator[3].top + 5}}, {{"marked", {"line 04"}}}},
        {true, {POINT{100, 100}}, NumbersOn({})},
        {true, {label(2), label(6)}, NumbersOn({{"flat", {"row 03", "row 07"}}})},
        {false, {label(2), label(9)}, {{"etched", {"row 03"}}, {"flat", {"row 10"}}}},
        {true, {header(1), header(5)}, NumbersOn({{"etched", {"column B"}}, {"flat", {"column F"}}})},
        {false, {label(2), POINT{34, label(6).y}, POINT{35, label(6).y}, label(6)}, {{"flat", {"row 07"}}}},
        {false, {header(1), POINT{360, 20}, POINT{360, 40}, header(2)}, {{"flat", {"column C"}}}}};
    for (const auto& [numbers, path, expected] : cases) {
        if ((Check(ids::kNumbers) == BST_CHECKED) != numbers) Click(ids::kNumbers);
        path.size() > 1 ? Drag(path, 0, false) : Mouse(WM_MOUSEMOVE, path.front());
        EXPECT_EQ(shown(), expected) << "at " << path.back().x << "," << path.back().y;
    }
}
