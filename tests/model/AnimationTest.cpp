// The animation on the real dialog: the worker thread, start, stop, the
// restored selection, the wheel, and a stress of start/stop cycles.
#include "support/Harness.h"

#include <random>

namespace {

using Selection = std::vector<int>;

}  // namespace

class AnimationDialog : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(TestApp().m_strConfigPath);
        Open();
        dlg->m_animTiming = AnimationTiming{0, 0};
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        RemoveFile(TestApp().m_strConfigPath);
    }
    static void WriteScript(const std::vector<std::string>& frames) {
        std::string ini = "[BUTTONS]\r\n";
        for (size_t i = 0; i < frames.size(); ++i) ini += FrameKey(static_cast<int>(i)) + "=" + frames[i] + "\r\n";
        WriteFileBytes(TestApp().m_strConfigPath, ini);
    }
    Selection Current() const {
        Selection s;
        for (int column = 0; column < ids::kColumns; ++column)
            for (int row = 0; row < ids::kRows; ++row) s.push_back(Check(ids::Selection(row, column)));
        return s;
    }
    void SetPattern(unsigned seed) const {
        for (int column = 0; column < ids::kColumns; ++column)
            for (int row = 0; row < ids::kRows; ++row)
                dlg->SelectionButtonState(row, column, ((row * 7 + column * 3 + seed) % 5) == 0);
    }
    bool Idle() const {
        return !dlg->m_bAnimRunning && !dlg->m_pAnimThread && dlg->m_animDelay == 80 && dlg->m_animRepeat == -1;
    }
    // Serves the worker's requests until column G shows the predicate.
    bool PumpUntilColumnG(const std::function<bool(const Selection&)>& want) const {
        return PumpUntil([&] {
            Selection g;
            for (int row = 0; row < ids::kRows; ++row) g.push_back(Check(ids::Selection(row, 6)));
            return want(g);
        });
    }
};

TEST_F(AnimationDialog, WithoutScriptNothingStarts) {
    SetPattern(1);
    const Selection before = Current();
    dlg->StartAnimation();
    EXPECT_EQ(dlg->m_animRepeat, 0);
    EXPECT_FALSE(dlg->m_bAnimRunning);
    EXPECT_FALSE(dlg->m_pAnimThread);

    WriteFileBytes(TestApp().m_strConfigPath, "[BUTTONS]\r\n001=1111\r\n");  // no key "000"
    dlg->m_animRepeat = -1;
    dlg->StartAnimation();
    EXPECT_EQ(dlg->m_animRepeat, 0);
    WriteFileBytes(TestApp().m_strConfigPath, "[BUTTONS]\r\n000=\r\n");  // empty value
    dlg->StartAnimation();
    EXPECT_FALSE(dlg->m_pAnimThread);
    EXPECT_EQ(Current(), before);
}

TEST_F(AnimationDialog, StartupPlaysOnePassAndRestoresTheSelection) {
    WriteScript({std::string(20, '1'), "1111", "1-1-"});
    SetPattern(2);
    Type(ids::Price(0), "4");
    const Selection before = Current();
    FirstPaint();  // plays the start-up animation once
    EXPECT_FALSE(dlg->m_bStartupPending);
    EXPECT_TRUE(dlg->m_bAnimRunning);
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "") << "the sums rest while it plays";
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    EXPECT_EQ(Current(), before);
    EXPECT_FALSE(dlg->m_bModified);
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "4.00");
    // A click afterwards counts normally and is not undone.
    Click(ids::Selection(0, 0));
    PumpUntil([] { return false; }, 50);
    EXPECT_NE(Current(), before);
    FirstPaint();
    EXPECT_FALSE(dlg->m_pAnimThread) << "the start-up animation plays only once";
}

TEST_F(AnimationDialog, FramesReachTheButtons) {
    // Frame "000" lights G fully; "001" leaves row 0 ('-' is below '0')
    // and switches row 1 off.
    WriteScript({std::string(20, '1'), "-0"});
    dlg->m_animRepeat = -1;
    dlg->m_animDelay = 40;
    dlg->StartAnimation();
    ASSERT_TRUE(PumpUntilColumnG([](const Selection& g) { return g[0] == 1 && g[1] == 0 && g[19] == 1; }));
    dlg->StopAnimation();
    EXPECT_TRUE(Idle());
}

TEST_F(AnimationDialog, UserActionsStopAndRestore) {
    WriteScript({std::string(20, '1'), std::string(20, '0')});
    for (int action = 0; action < 4; ++action) {
        SetPattern(static_cast<unsigned>(action));
        const Selection before = Current();
        dlg->m_bModified = FALSE;
        dlg->m_bStartupPending = FALSE;
        dlg->m_animRepeat = -1;
        dlg->StartAnimation();
        ASSERT_TRUE(PumpUntilColumnG([](const Selection& g) { return g[19] == 1; })) << action;
        switch (action) {
            case 0: Type(ids::Goods(3), "Brot"); break;       // a field change
            case 1: Click(ids::Selection(5, 2)); break;        // a selection click
            case 2: dlg->SetBackgroundActive(FALSE); break;    // the pause before a command
            case 3: Type(ids::Name(6), "G"); break;            // a name change
        }
        EXPECT_TRUE(Idle()) << action;
        EXPECT_EQ(Current(), before) << "the saved selection is back, the click overridden: " << action;
        EXPECT_EQ(dlg->m_bModified, action != 2) << action;
        // Nothing arrives late from the stopped worker.
        PumpUntil([] { return false; }, 30);
        EXPECT_EQ(Current(), before) << action;
    }
}

TEST_F(AnimationDialog, SecondStartRestartsFromTheBeginning) {
    WriteScript({std::string(20, '1'), "0"});
    SetPattern(3);
    const Selection before = Current();
    dlg->m_animRepeat = -1;
    dlg->StartAnimation();
    ASSERT_TRUE(PumpUntilColumnG([](const Selection& g) { return g[19] == 1; }));
    // What the right button does with Shift+Ctrl: stop, then start afresh.
    dlg->StopAnimation();
    EXPECT_EQ(Current(), before);
    dlg->m_animRepeat = -1;
    dlg->StartAnimation();
    EXPECT_EQ(dlg->m_savedSelection[0][0], before[0]) << "the saved selection is the user's, not a frame";
    ASSERT_TRUE(PumpUntilColumnG([](const Selection& g) { return g[19] == 1; }));
    dlg->StopAnimation();
    EXPECT_EQ(Current(), before);
}

TEST_F(AnimationDialog, WheelSetsTheDelayWithinItsBounds) {
    const auto wheel = [&](int delta) {
        ::SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), 0);
    };
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        wheel(WHEEL_DELTA);
        seen.push_back(dlg->m_animDelay);
    }
    EXPECT_EQ(seen, std::vector<int>({100, 120, 140, 160, 160, 160}));
    dlg->m_animDelay = 80;
    seen.clear();
    for (int i = 0; i < 3; ++i) {
        wheel(-WHEEL_DELTA);
        seen.push_back(dlg->m_animDelay);
    }
    EXPECT_EQ(seen, std::vector<int>({60, 40, 40}));
    // A stop resets it to 80.
    WriteScript({"1"});
    dlg->m_animRepeat = -1;
    dlg->StartAnimation();
    EXPECT_EQ(dlg->m_animDelay, 40) << "a value set while idle is used by the next animation";
    dlg->StopAnimation();
    EXPECT_EQ(dlg->m_animDelay, 80);
}

TEST_F(AnimationDialog, DestroyingTheDialogEndsTheWorker) {
    WriteScript({"1", "0"});
    dlg->m_animRepeat = -1;
    dlg->StartAnimation();
    ASSERT_TRUE(PumpUntilColumnG([](const Selection& g) { return g[0] == 1; }));
    dlg.reset();  // must not hang or leave a thread behind
    SUCCEED();
}

// Start and stop at random moments, often while the worker waits for the
// window thread: never a hang, and every stop restores the selection taken
// at its start.
TEST_F(AnimationDialog, StressOfStartStopCycles) {
    constexpr int kCycles = 1000;
    WriteScript({std::string(20, '1'), "10101010101010101010", std::string(20, '0')});
    std::mt19937 random(20261206);
    dlg->m_animDelay = 40;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        SetPattern(random());
        const Selection before = Current();
        dlg->m_animRepeat = -1;
        dlg->m_animDelay = 0;
        dlg->StartAnimation();
        ASSERT_TRUE(dlg->m_pAnimThread);
        // Serve a random number of the worker's requests (each a whole
        // step of the animation), then stop it, mostly while it waits.
        const int serve = static_cast<int>(random() % 6);
        for (int i = 0; i < serve; ++i) {
            MSG msg;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_SENDMESSAGE);
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        dlg->StopAnimation();
        ASSERT_TRUE(Idle()) << cycle;
        ASSERT_EQ(Current(), before) << cycle;
    }
}
