// A selected button is told from an unselected one at a glance, in every
// state the window has, with the default and with the classic colours:
// its face differs by at least 60 in some channel and its number reads at
// a contrast of at least 4.5:1. Measured on the pixels of the real window.
#include "grid/GridWindow.h"
#include "grid/SelectionLook.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kMinFaceDifference = 60;
constexpr double kMinContrast = 4.5;

// The classic colour scheme ("Windows Standard"), as far as buttons use it.
constexpr int kClassic = 6;
constexpr int kClassicElements[kClassic] = {COLOR_BTNFACE,    COLOR_3DHIGHLIGHT, COLOR_BTNSHADOW,
                                            COLOR_3DDKSHADOW, COLOR_HIGHLIGHT,   COLOR_WINDOWFRAME};
constexpr COLORREF kClassicColours[kClassic] = {0xC8D0D4, 0xFFFFFF, 0x808080, 0x404040, 0x6A240A, 0x000000};

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

enum class State { kPlain, kHover, kFocus, kDisabledOwner, kAnimation };

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

// A state of the window, and the default or the classic colours. "N" is
// off in the plain state, where the faces are measured without numbers,
// and on in the others, where the numbers are measured too.
class GridSelectionLook : public GridWindowTest, public testing::WithParamInterface<std::tuple<State, bool>> {};

TEST_P(GridSelectionLook, SelectedButtonsStandOut) {
    const auto [state, classic] = GetParam();
    const bool numbers = state != State::kPlain;
    std::array<COLORREF, kClassic> saved{};
    for (int i = 0; i < kClassic; ++i) saved[i] = ::GetSysColor(kClassicElements[i]);
    if (classic) ::SetSysColors(kClassic, kClassicElements, kClassicColours);
    const AtExit restore{[&] { ::SetSysColors(kClassic, kClassicElements, saved.data()); }};
    if (state == State::kAnimation) WriteAnimationScript();  // the first paint starts it
    Open();
    if (numbers) Click(ids::kNumbers);
    Show();
    // Selections made while the window shows: by the program, and one click.
    for (int i = 0; i < ids::kRows * ids::kColumns && state != State::kAnimation; ++i) {
        dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, i % 3 == 0);
        if (i == ids::kRows) Click(ids::Selection(2, 0));
    }
    const HWND selected = Item(ids::Selection(0, 0));
    if (state == State::kHover) {
        ::SendMessageA(selected, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));  // what the button gets under the pointer
    } else if (state == State::kFocus) {  // Space toggles it off and on again, as a click would
        ::SetFocus(selected);
        for (const int expected : {BST_UNCHECKED, BST_CHECKED}) {
            for (const UINT key : {WM_KEYDOWN, WM_KEYUP}) ::SendMessageA(selected, key, VK_SPACE, 0);
            EXPECT_EQ(Check(ids::Selection(0, 0)), expected);
        }
    } else if (state == State::kDisabledOwner) {  // as a modal dialog leaves its owner, then uncovered
        ::EnableWindow(Wnd(), FALSE);
        ::RedrawWindow(Wnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    } else if (state == State::kAnimation) {  // two frames in: columns F and G hold the script's two patterns
        auto on = [this](int row, int column) { return dlg->SelectionButtonState(row, column, -1); };
        ASSERT_TRUE(PumpUntil([&] { return on(0, 5) != on(0, 6) && on(0, 5) != on(1, 5); }));
    }
    const ClientPixels pixels = Pixels();

    std::vector<Face> selections, others;
    for (int id = ids::kSelectionBase; id < ids::kNameBase; ++id) {
        (Check(id) ? selections : others).push_back(Measure(pixels, ItemRect(id)));
    }
    ASSERT_FALSE(selections.empty() || others.empty());
    for (const Face& f : selections) {
        for (const Face& other : others) ASSERT_GE(grid::ChannelDistance(f.mean, other.mean), kMinFaceDifference);
        EXPECT_TRUE(!numbers || f.inkContrast >= kMinContrast) << f.inkContrast;
    }
}

INSTANTIATE_TEST_SUITE_P(Grid, GridSelectionLook,
                         testing::Combine(testing::Values(State::kPlain, State::kHover, State::kFocus,
                                                          State::kDisabledOwner, State::kAnimation),
                                          testing::Bool()));
