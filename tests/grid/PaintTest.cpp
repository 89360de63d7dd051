// The window's own drawing, read back from the pixels of the visible
// window, and what the first paint starts.
#include "grid/GridWindow.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPlainFill = 0xC6C3C6;
constexpr COLORREF kInfoFill = 0xC8BEAA;
constexpr COLORREF kPlainOutline = 0x646464;
constexpr COLORREF kSourceOutline = 0x0000B4;

// Pixels of the square that are not outline and fill as expected.
int SquareMismatches(const ClientPixels& pixels, const RECT& r, COLORREF fill, COLORREF outline) {
    int wrong = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            const bool edge = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
            if (pixels.At(x, y) != (edge ? outline : fill)) ++wrong;
        }
    }
    return wrong;
}

bool TimerRan(HWND wnd, UINT_PTR id) { return ::KillTimer(wnd, id) != FALSE; }

}  // namespace

class GridPaint : public GridWindowTest {
protected:
    // x positions on a separator line across the list and all seven
    // columns, clear of the group box edges.
    std::vector<int> LineSamples() const {
        std::vector<int> xs = {35, 36, 120, 237, 284, 293};
        for (int column = 0; column < ids::kColumns; ++column) {
            RECT r{};
            ::GetWindowRect(Item(ids::Selection(0, column)), &r);
            ::MapWindowPoints(nullptr, Wnd(), reinterpret_cast<POINT*>(&r), 2);
            xs.push_back(r.left);
            xs.push_back((r.left + r.right) / 2);
            xs.push_back(r.right - 1);
        }
        xs.push_back(755);
        return xs;
    }
};

TEST_F(GridPaint, SquaresTakeTheirColoursFromTheRowInfo) {
    Open();
    dlg->m_rowInfo[1].strText = "Notiz";
    dlg->m_rowInfo[2].strSource2 = "http://example.org";
    dlg->m_rowInfo[3].strSource1 = "C:\\a.txt";
    dlg->m_rowInfo[4].strText = "Notiz";
    dlg->m_rowInfo[4].strSource1 = "C:\\a.txt";
    dlg->m_rowInfo[19].strText = "x";
    dlg->m_rowInfo[19].strSource2 = "y";
    Show();
    {
        const ClientPixels pixels = Pixels();
        for (int row = 0; row < ids::kRows; ++row) {
            const RowInfo& info = dlg->m_rowInfo[row];
            const COLORREF fill = info.strText.empty() ? kPlainFill : kInfoFill;
            const bool source = !info.strSource1.empty() || !info.strSource2.empty();
            EXPECT_EQ(SquareMismatches(pixels, dlg->m_rcSquare[row], fill, source ? kSourceOutline : kPlainOutline), 0)
                << "square " << row;
        }
        // The rows named in the checks above, spelled out.
        const RECT& s1 = dlg->m_rcSquare[1];
        EXPECT_EQ(pixels.At(s1.left + 5, s1.top + 5), kInfoFill);
        EXPECT_EQ(pixels.At(s1.left, s1.top), kPlainOutline);
        const RECT& s2 = dlg->m_rcSquare[2];
        EXPECT_EQ(pixels.At(s2.left + 5, s2.top + 5), kPlainFill);
        EXPECT_EQ(pixels.At(s2.right - 1, s2.bottom - 1), kSourceOutline);
    }

    // A repaint of one square shows its new colours.
    dlg->m_rowInfo[0].strText = "neu";
    dlg->m_rowInfo[0].strSource2 = "z";
    dlg->Repaint(&dlg->m_rcSquare[0]);
    const ClientPixels pixels = Pixels();
    EXPECT_EQ(SquareMismatches(pixels, dlg->m_rcSquare[0], kInfoFill, kSourceOutline), 0);
}

TEST_F(GridPaint, GridLinesAndSeparatorLinesOnlyForFlagOne) {
    Open();
    dlg->m_separatorLines[0] = 1;
    dlg->m_separatorLines[2] = 2;
    dlg->m_separatorLines[7] = 5;
    dlg->m_separatorLines[12] = 1;
    dlg->m_separatorLines[18] = 1;
    Show();
    const ClientPixels pixels = Pixels();
    const grid::GridGeometry g = Geometry();
    for (int gap = 0; gap < ids::kSeparators; ++gap) {
        const int y = g.separatorLineY[gap];
        if (y == 154 || y == 268 || y == 382) continue;  // a grid line lies there anyway
        const bool drawn = dlg->m_separatorLines[gap] == 1;
        for (const int x : LineSamples()) {
            EXPECT_EQ(pixels.At(x, y) == kBlack, drawn) << "gap " << gap << " at " << x << "," << y;
        }
        EXPECT_NE(pixels.At(34, y), kBlack) << "the line starts at the goods field";
    }
    EXPECT_EQ(g.separatorLineY[0], 63);
    EXPECT_EQ(g.separatorLineY[18], 473);

    // Grid lines above rows 01, 06, 11, 16 and below row 20, with ticks.
    for (const int y : {40, 154, 268, 382, 496}) {
        for (const int x : {35, 150, 238, 284, 298, 302, 355, 368, 421, 434, 751, 755}) {
            EXPECT_EQ(pixels.At(x, y), kBlack) << x << "," << y;
        }
        for (const int x : {34, 285, 286, 303, 350}) {
            EXPECT_NE(pixels.At(x, y), kBlack) << x << "," << y;
        }
    }
    EXPECT_NE(pixels.At(100, 41), kBlack);
    EXPECT_NE(pixels.At(100, 497), kBlack);
}

TEST_F(GridPaint, NumberingFramesEveryRowLabel) {
    Open();
    Show();
    {
        const ClientPixels pixels = Pixels();
        for (int row = 0; row < ids::kRows; ++row) {
            EXPECT_EQ(FrameOn(pixels, dlg->m_rcRowLabel[row]), FrameKind::kNone) << "row " << row;
        }
    }
    Click(ids::kNumbers);
    ASSERT_EQ(Check(ids::kNumbers), BST_CHECKED);
    {
        const ClientPixels pixels = Pixels();
        for (int row = 0; row < ids::kRows; ++row) {
            EXPECT_EQ(FrameOn(pixels, dlg->m_rcRowLabel[row]), FrameKind::kEtched) << "row " << row;
        }
        for (int column = 0; column < ids::kColumns; ++column) {
            EXPECT_EQ(FrameOn(pixels, dlg->m_rcColumnHeader[column]), FrameKind::kNone);
        }
    }
    Click(ids::kNumbers);
    const ClientPixels pixels = Pixels();
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(FrameOn(pixels, dlg->m_rcRowLabel[row]), FrameKind::kNone) << "row " << row;
    }
}

TEST_F(GridPaint, FirstPaintStartsTimersAndAnimationOnce) {
    WriteAnimationScript();
    Open();
    EXPECT_FALSE(TimerRan(Wnd(), kSumTimerId));
    EXPECT_FALSE(TimerRan(Wnd(), kLinkTimerId));
    EXPECT_FALSE(dlg->m_bAnimRunning);

    Show();
    EXPECT_FALSE(dlg->m_bFirstPaint);
    EXPECT_EQ(dlg->m_nSumTimer, kSumTimerId);
    EXPECT_EQ(dlg->m_nLinkTimer, kLinkTimerId);
    EXPECT_TRUE(TimerRan(Wnd(), kSumTimerId));
    EXPECT_TRUE(TimerRan(Wnd(), kLinkTimerId));
    EXPECT_TRUE(dlg->m_bAnimRunning) << "the start-up animation plays";
    EXPECT_EQ(dlg->m_animRepeat, 1);
    EXPECT_FALSE(dlg->m_bStartupPending);
    dlg->StopAnimation();

    // Later paints start nothing again.
    RepaintAll();
    dlg->Repaint(nullptr);
    EXPECT_FALSE(TimerRan(Wnd(), kSumTimerId));
    EXPECT_FALSE(TimerRan(Wnd(), kLinkTimerId));
    EXPECT_FALSE(dlg->m_bAnimRunning);

    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageA(Wnd(), WM_QUERYDRAGICON, 0, 0)), dlg->m_hIcon);
    EXPECT_NE(dlg->m_hIcon, nullptr);
}

TEST_F(GridPaint, DocumentOnTheCommandLinePlaysNoAnimation) {
    WriteAnimationScript();
    const std::string doc = TestDir() + "\\Gezeichnet.pgx";
    WriteFileBytes(doc, "[LISTE]\r\nWare 01=Brot\r\n");
    Open(doc);
    Show();
    EXPECT_TRUE(TimerRan(Wnd(), kSumTimerId));
    EXPECT_TRUE(TimerRan(Wnd(), kLinkTimerId));
    EXPECT_FALSE(dlg->m_bAnimRunning);
    EXPECT_EQ(dlg->m_animRepeat, -1);
    RepaintAll();
    EXPECT_FALSE(dlg->m_bAnimRunning);
    RemoveFile(doc);
}

TEST_F(GridPaint, MinimisedStartWaitsForTheFirstNormalPaint) {
    WriteAnimationScript();
    Open();
    ::ShowWindow(Wnd(), SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(::IsIconic(Wnd()));
    ::InvalidateRect(Wnd(), nullptr, TRUE);
    ::UpdateWindow(Wnd());
    ::SendMessageA(Wnd(), WM_PAINT, 0, 0);
    EXPECT_TRUE(dlg->m_bFirstPaint);
    EXPECT_FALSE(TimerRan(Wnd(), kSumTimerId));
    EXPECT_FALSE(TimerRan(Wnd(), kLinkTimerId));
    EXPECT_FALSE(dlg->m_bAnimRunning);
    EXPECT_TRUE(dlg->m_bStartupPending);

    ::ShowWindow(Wnd(), SW_SHOWNOACTIVATE);
    ASSERT_FALSE(::IsIconic(Wnd()));
    ::UpdateWindow(Wnd());
    EXPECT_FALSE(dlg->m_bFirstPaint);
    EXPECT_TRUE(TimerRan(Wnd(), kSumTimerId));
    EXPECT_TRUE(TimerRan(Wnd(), kLinkTimerId));
    EXPECT_TRUE(dlg->m_bAnimRunning);
}
