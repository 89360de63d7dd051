// The animation on the real dialog: what its frames show, what stops it, the
// restored selection, a stress of start/stop cycles, and its end with the
// dialog.
#include "grid/GridWindow.h"

#include "model/AnimationScript.h"

#include <random>

class AnimationDialog : public GridWindowTest {
protected:
    // All 140 selection states, column by column.
    std::string Current() const {
        std::string s;
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) s += std::to_string(Check(ids::kSelectionBase + i));
        return s;
    }
    // Lights one button in five, from where the seed says; returns what it set.
    std::string SetPattern(unsigned seed) const {
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) {
            dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, (i * 7 + seed) % 5 == 0);
        }
        return Current();
    }
    bool Idle() const {
        return !dlg->m_bAnimRunning && !dlg->m_pAnimThread && dlg->m_animDelay == 80 && dlg->m_animRepeat == -1;
    }
    // Serves the worker's requests until a frame shows this column G (the
    // frames move on only while the test serves them).
    bool Shows(const std::string& columnG) const { return PumpUntil([&] { return Current().substr(120) == columnG; }); }
    const std::string on = std::string(ids::kRows, '1'), off = std::string(ids::kRows, '0');
};

TEST_F(AnimationDialog, PlaysAtStartUpOrUntilAnActionStopsItAndAlwaysRestoresTheSelection) {
    Open();
    dlg->m_animTiming = AnimationTiming{0, 0};
    const std::string atStart = SetPattern(2);
    Type(ids::Price(0), "4");
    // Four '0' leave rows 4 to 19, '-' (below '0') leaves a row, '7' (above '1') lights it.
    WriteAnimationScript({on, "0000", "1-1-", "-7"});
    FirstPaint();
    TickSums();
    const std::string lower = on.substr(4);  // rows 4 to 19
    EXPECT_TRUE(Shows(on) && Shows("0000" + lower) && Shows("1010" + lower) && Shows("1110" + lower));
    EXPECT_EQ(Current().substr(100, 20) + Text(ids::kTotal), "1010" + lower) << "lines wander left; sums rest";
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    TickSums();
    EXPECT_EQ(Current() + Text(ids::kTotal) + std::to_string(dlg->m_bModified), atStart + "4.000");
    FirstPaint();
    EXPECT_FALSE(dlg->m_pAnimThread) << "the start-up animation plays once";
    WriteAnimationScript({on, off});
    const POINT free{400, 200};
    const auto shiftCtrl = [&] { Mouse(WM_RBUTTONUP, free, MK_SHIFT | MK_CONTROL); };
    const std::vector<std::tuple<const char*, std::function<void()>, bool>> cases = {
        {"a goods text", [&] { Type(ids::Goods(3), "Brot"); }, true},
        {"a selection click, overridden", [&] { Click(ids::Selection(5, 2)); }, true},
        {"the pause before a command", [&] { dlg->SetBackgroundActive(FALSE); }, false},
        {"a plain right-click", [&] { Mouse(WM_RBUTTONUP, free, 0); }, false},
        {"a left press", [&] { Mouse(WM_LBUTTONDOWN, free, MK_LBUTTON); }, false},
        {"a restart, then a stop", [&] { shiftCtrl(); EXPECT_TRUE(Shows(on)); dlg->StopAnimation(); }, false}};
    unsigned seed = 0;
    for (const auto& [what, act, modifies] : cases) {
        const std::string before = SetPattern(++seed);
        dlg->m_bModified = FALSE;
        dlg->m_animRepeat = 0;  // as a start-up without a script leaves it
        shiftCtrl();
        ASSERT_TRUE(Shows(on) && Shows(off) && Shows(on)) << what << ": it plays until stopped";
        act();
        PumpUntil([] { return false; }, 30);
        EXPECT_TRUE(Idle() && Current() == before && (dlg->m_bModified != FALSE) == modifies)
            << what << ": the selection is back, nothing arrives late, the document is changed only by the user";
    }
    // Start and stop at random moments, mostly while the worker waits for
    // the window thread: never a hang, and every stop restores the selection.
    std::mt19937 random(20261206);
    for (int cycle = 0; cycle < 150; ++cycle) {
        const std::string before = SetPattern(random());
        dlg->m_animDelay = 0;
        dlg->StartAnimation();
        PumpUntil([&] { return random() % 4 == 0; });  // serve some of the worker's requests, then stop it
        dlg->StopAnimation();
        ASSERT_TRUE(Idle() && Current() == before) << cycle;
    }
    shiftCtrl();
    ASSERT_TRUE(Shows(on));
    dlg.reset();  // the worker ends with the dialog: no hang, no thread left behind
}
