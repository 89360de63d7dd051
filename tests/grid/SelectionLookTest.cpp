// A selected button is told from an unselected one at a glance, in every
// state the window has: its face differs by at least 60 in some channel and
// its number reads at a contrast of at least 4.5:1. Measured on the pixels
// of the real window; the colour schemes on the colours alone.
#include "grid/GridWindow.h"
#include "grid/SelectionLook.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kMinFaceDifference = 60;
constexpr double kMinContrast = 4.5;

// A button's face as the eye takes it in: its mean colour, and the contrast
// of its number: the colour of most contrast, inside the focus rectangle,
// against the face's own colour in its lower left corner.
struct Face { COLORREF mean = 0; double inkContrast = 1.0; };

Face Measure(const ClientPixels& pixels, const RECT& button) {
    const RECT face = grid::FaceRect(button), inner{face.left + 2, face.top + 2, face.right - 2, face.bottom - 2};
    const COLORREF own = pixels.At(face.left + 2, face.bottom - 3);
    const int w = face.right - face.left, area = w * (face.bottom - face.top);
    std::array<int, 3> sum{};
    Face result;
    for (int i = 0; i < area; ++i) {
        const POINT pt{face.left + i % w, face.top + i / w};
        const COLORREF c = pixels.At(pt.x, pt.y);
        sum = {sum[0] + GetRValue(c), sum[1] + GetGValue(c), sum[2] + GetBValue(c)};
        if (grid::Contains(inner, pt)) result.inkContrast = std::max(result.inkContrast, grid::ContrastRatio(own, c));
    }
    result.mean = RGB(sum[0] / area, sum[1] / area, sum[2] / area);
    return result;
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
}

using GridSelectionLook = GridWindowTest;

// One window through the states in turn: "N" off, where the faces are
// measured without numbers, then on, where the numbers are measured too.
TEST_F(GridSelectionLook, SelectedButtonsStandOutInEveryState) {
    Open();
    Show();
    // Selections made while the window shows: by the program, and one click.
    for (int i = 0; i < ids::kRows * ids::kColumns; ++i) {
        dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, i % 3 == 0);
        if (i == ids::kRows) Click(ids::Selection(2, 0));
    }
    const auto standOut = [&](const char* state) {
        SCOPED_TRACE(state);
        const ClientPixels pixels(Wnd());
        std::vector<Face> selections, others;
        for (int id = ids::kSelectionBase; id < ids::kNameBase; ++id) {
            (Check(id) ? selections : others).push_back(Measure(pixels, ItemRect(id)));
        }
        ASSERT_FALSE(selections.empty() || others.empty());
        for (const Face& f : selections) {
            for (const Face& other : others) ASSERT_GE(grid::ChannelDistance(f.mean, other.mean), kMinFaceDifference);
            EXPECT_TRUE(!Check(ids::kNumbers) || f.inkContrast >= kMinContrast) << f.inkContrast;
        }
    };
    standOut("plain");
    const HWND selected = Item(ids::Selection(0, 0));
    Click(ids::kNumbers);
    Show();  // the buttons painted with their numbers
    ::SendMessageA(selected, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));  // what the button gets under the pointer
    standOut("hover");
    ::SetFocus(selected);  // Space toggles it off and on again, as a click would
    for (const int expected : {BST_UNCHECKED, BST_CHECKED}) {
        for (const UINT key : {WM_KEYDOWN, WM_KEYUP}) ::SendMessageA(selected, key, VK_SPACE, 0);
        EXPECT_EQ(Check(ids::Selection(0, 0)), expected);
    }
    standOut("focus");
    ::EnableWindow(Wnd(), FALSE);  // as a modal dialog leaves its owner, then uncovered
    ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    standOut("disabled owner");
    ::EnableWindow(Wnd(), TRUE);
    WriteAnimationScript();
    dlg->StartAnimation();
    // Two frames in: columns F and G hold the script's two patterns.
    const auto on = [this](int row, int column) { return Check(ids::Selection(row, column)); };
    ASSERT_TRUE(PumpUntil([&] { return on(0, 5) != on(0, 6) && on(0, 5) != on(1, 5); }));
    standOut("animation");
}
