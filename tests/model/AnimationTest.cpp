// The animation on the real dialog: what its frames show, what stops it, the
// restored selection, a stress of start/stop cycles, and its end with the
// dialog.
#include "grid/GridWindow.h"

#include <array>
#include <random>

// The selection buttons of columns A to G, each column written as a line of
// the animation script: '1' on, '0' off, from row 01 down.
using Columns = std::array<std::string, ids::kColumns>;

class AnimationDialog : public GridWindowTest {
protected:
    Columns Selection() const {
        Columns columns;
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) {
            columns[i / ids::kRows] += std::to_string(Check(ids::kSelectionBase + i));
        }
        return columns;
    }
    // Lights one button in five, from where the seed says; returns what it set.
    Columns SetPattern(unsigned seed) const {
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) {
            dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, (i * 7 + seed) % 5 == 0);
        }
        return Selection();
    }
    bool Idle() const {
        return !dlg->m_bAnimRunning && !dlg->m_pAnimThread && dlg->m_animDelay == 80 && dlg->m_animRepeat == -1;
    }
    // Serves the worker's requests until a frame shows this column G (the
    // frames move on only while the test serves them).
    bool Shows(const std::string& columnG) const { return PumpUntil([&] { return Selection()[6] == columnG; }); }
    const std::string on = std::string(ids::kRows, '1'), off = std::string(ids::kRows, '0');
};

TEST_F(AnimationDialog, PlaysAtStartUpOrUntilAnActionStopsItAndAlwaysRestoresTheSelection) {
    Open();
    dlg->m_animTiming = AnimationTiming{0, 0};
    const Columns atStart = SetPattern(2);
    Type(ids::Price(0), "4");
    // Four '0' leave rows 05 to 20, '-' (below '0') leaves a row, '7' (above '1') lights it.
    WriteAnimationScript({on, "0000", "1-1-", "-7"});
    FirstPaint();
    TickSums();
    const std::string lower = on.substr(4);  // rows 05 to 20
    for (const std::string& frame : {on, "0000" + lower, "1010" + lower, "1110" + lower}) EXPECT_TRUE(Shows(frame)) << frame;
    EXPECT_EQ(Selection()[5], "1010" + lower) << "lines wander left";
    EXPECT_EQ(Text(ids::kTotal), "") << "sums rest while it plays";
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    TickSums();
    EXPECT_EQ(Selection(), atStart);
    EXPECT_EQ(Text(ids::kTotal), "4.00");
    EXPECT_FALSE(dlg->m_bModified);
    FirstPaint();
    EXPECT_FALSE(dlg->m_pAnimThread) << "the start-up animation plays once";
    WriteAnimationScript({on, off});
    const POINT free{400, 200};
    const auto shiftCtrl = [&] { Mouse(WM_RBUTTONUP, free, MK_SHIFT | MK_CONTROL); };
    const std::vector<std::tuple<const char*, std::function<void()>, bool>> cases = {
        {"a goods text", [&] { Type(ids::Goods(3), "Brot"); }, true},
        {"a selection click, overridden (no change)", [&] { Click(ids::Selection(5, 2)); }, false},
        {"the pause before a command", [&] { dlg->SetBackgroundActive(FALSE); }, false},
        {"a left press", [&] { Mouse(WM_LBUTTONDOWN, free, MK_LBUTTON); }, false},
        {"a restart, then a stop", [&] { shiftCtrl(); EXPECT_TRUE(Shows(on)); dlg->StopAnimation(); }, false}};
    for (const auto& [what, act, modifies] : cases) {
        SCOPED_TRACE(what);
        const Columns before = SetPattern(1);
        dlg->DocumentSaved();  // the flag follows the history: as if just saved
        dlg->m_animRepeat = 0;  // as a start-up without a script leaves it
        shiftCtrl();
        ASSERT_TRUE(Shows(on) && Shows(off) && Shows(on)) << "it plays until stopped";
        act();
        // Nothing arrives late: whatever waits in the queue is served first.
        PumpUntil([] { return HIWORD(::GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0; });
        EXPECT_TRUE(Idle());
        EXPECT_EQ(Selection(), before) << "the selection is back";
        EXPECT_EQ(dlg->m_bModified != FALSE, modifies) << "the document is changed only by the user";
    }
    // Start and stop at random moments, mostly while the worker waits for
    // the window thread: never a hang, and every stop restores the selection.
    std::mt19937 random(20261206);
    for (int cycle = 0; cycle < 150; ++cycle) {
        const Columns before = SetPattern(random());
        dlg->m_animDelay = 0;
        dlg->StartAnimation();
        PumpUntil([&] { return random() % 4 == 0; });  // serve some of the worker's requests, then stop it
        dlg->StopAnimation();
        ASSERT_TRUE(Idle() && Selection() == before) << "cycle " << cycle;
    }
    shiftCtrl();
    ASSERT_TRUE(Shows(on));
    dlg.reset();  // the worker ends with the dialog: no hang, no thread left behind
}
