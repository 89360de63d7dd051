// The animation: its algorithm against a plain table of 20 x 7 states; on
// the real dialog the worker, what stops it, the restored selection, the
// wheel, and a stress of start/stop cycles.
#include "grid/GridWindow.h"

#include "model/AnimationScript.h"

#include <map>
#include <random>

namespace {

const std::string kOn(kAnimRows, '1'), kOff(kAnimRows, '0');

// A column whose first rows are given and the others all `rest`.
std::string Lit(const std::string& head, char rest) { return head + std::string(kAnimRows - head.size(), rest); }

struct TableBoard : AnimationBoard, ButtonGrid {
    int state[kAnimRows][kAnimColumns] = {};
    std::map<int, std::string> script;
    int repeat = 1, passes = 0, pauses = 0, stopAfterPauses = -1;  // repeat -1: endless
    std::vector<std::string> columnG;  // after each frame

    int State(int row, int column, int value) override {
        return std::exchange(state[row][column], value < 0 ? state[row][column] : value);
    }
    bool Apply(const GridStep& step) override {
        step(*this);
        return true;
    }
    bool ReadFrame(int frame, std::string* value) override {
        *value = script.count(frame) ? script[frame] : kScriptEndDefault;
        return true;
    }
    bool EndOfPass(bool* more) override {
        ++passes;
        *more = repeat < 0 || --repeat > 0;
        return true;
    }
    bool Pause(int) override {
        if (pauses >= 22) columnG.push_back(Column(kAnimColumns - 1));  // past the clearing phase
        return ++pauses != stopAfterPauses;
    }
    bool FrameDelay(int* ms) override {
        *ms = 1;
        return true;
    }
    std::string Column(int column) const {
        std::string s;
        for (const auto& row : state) s += static_cast<char>('0' + row[column]);
        return s;
    }
};

}  // namespace

TEST(AnimationScript, LitButtonsFallOutThenLinesEnterAtColumnGAndWanderLeft) {
    TableBoard all, one;
    for (auto& row : all.state) std::fill(std::begin(row), std::end(row), 1);
    EXPECT_TRUE(PlayAnimation(all));
    EXPECT_EQ(all.pauses, 22) << "the start pause and 21 clearing steps";
    for (int column = 0; column < kAnimColumns; ++column) EXPECT_EQ(all.Column(column), kOff) << column;
    one.state[0][3] = 1;
    one.stopAfterPauses = 3;
    EXPECT_FALSE(PlayAnimation(one));
    EXPECT_EQ(one.Column(3), Lit("001", '0')) << "two clearing steps moved it down two rows";
    // The script, the passes, column G after each frame and F at the end.
    const std::vector<std::tuple<std::map<int, std::string>, int, std::vector<std::string>, std::string>> cases = {
        {{{0, kOn}, {1, "1111"}, {2, "1-1-"}}, 1, {kOn, kOn, kOn}, kOn},
        {{{0, "0000"}, {1, "1-1-"}}, 1, {kOff, Lit("1010", '0')}, kOff},  // '-' leaves a row as it is
        {{{0, kOn}, {1, "0000"}}, 1, {kOn, Lit("0000", '1')}, kOn},  // so do the rows past a short line
        {{{0, "7a /"}}, 1, {Lit("11", '0')}, kOff},  // above '1' is on, below '0' leaves
        {{{0, "1"}, {1, "0"}}, 2, {Lit("1", '0'), kOff, Lit("1", '0'), kOff}, Lit("1", '0')},
        {{}, -1, {}, kOff}};  // a missing first key ends even an endless one
    for (const auto& [script, repeat, columnG, columnF] : cases) {
        TableBoard b;
        b.script = script;
        b.repeat = repeat;
        EXPECT_TRUE(PlayAnimation(b));
        EXPECT_EQ(b.columnG, columnG);
        EXPECT_EQ(b.Column(kAnimColumns - 2), columnF);
        EXPECT_EQ(b.passes, std::max(repeat, 1));
    }
    TableBoard endless;
    endless.repeat = -1;
    endless.script = {{0, "1"}};
    endless.stopAfterPauses = 22 + 50;
    EXPECT_FALSE(PlayAnimation(endless));
    EXPECT_GE(endless.passes, 49) << "only a stop ends it";
    EXPECT_EQ(FrameKey(0) + FrameKey(42) + FrameKey(1234), "0000421234");
}

class AnimationDialog : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        Open();
        dlg->m_animTiming = AnimationTiming{0, 0};
    }
    // All 140 selection states, column by column.
    std::string Current() const {
        std::string s;
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) s += std::to_string(Check(ids::kSelectionBase + i));
        return s;
    }
    void SetPattern(unsigned seed) const {
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) {
            dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, (i % ids::kRows * 7 + i / ids::kRows * 3 + seed) % 5 == 0);
        }
    }
    bool Idle() const {
        return !dlg->m_bAnimRunning && !dlg->m_pAnimThread && dlg->m_animDelay == 80 && dlg->m_animRepeat == -1;
    }
    // Serves the worker's requests until a frame has lit all of column G.
    bool FrameShown() const { return PumpUntil([&] { return Current().substr(6 * ids::kRows) == kOn; }); }
};

TEST_F(AnimationDialog, StartupPlaysOnePassThenRestoresTheSelection) {
    SetPattern(2);
    Type(ids::Price(0), "4");
    const std::string before = Current();
    for (const char* config : {"", "[BUTTONS]\r\n001=1111\r\n", "[BUTTONS]\r\n000=\r\n"}) {
        WriteFileBytes(TestApp().m_strConfigPath, config);
        dlg->StartAnimation();
        EXPECT_TRUE(!dlg->m_pAnimThread && dlg->m_animRepeat == 0) << "no script: " << config;
    }
    dlg->m_animRepeat = -1;
    WriteAnimationScript({kOn, "1111", "1-1-"});
    FirstPaint();
    EXPECT_TRUE(dlg->m_bAnimRunning);
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "") << "the sums rest while it plays";
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    TickSums();
    EXPECT_EQ(Current() + Text(ids::kTotal), before + "4.00");
    EXPECT_FALSE(dlg->m_bModified);
    Click(ids::Selection(0, 0));
    PumpUntil([] { return false; }, 50);
    EXPECT_NE(Current(), before) << "a click afterwards is not undone";
    FirstPaint();
    EXPECT_FALSE(dlg->m_pAnimThread) << "the start-up animation plays only once";
}

TEST_F(AnimationDialog, ShiftCtrlRightClickPlaysUntilAnActionStopsItAndRestores) {
    WriteAnimationScript({kOn, kOff});
    dlg->m_bStartupPending = FALSE;
    const POINT free{400, 200};
    const auto shiftCtrl = [&](UINT more) { Mouse(WM_RBUTTONUP, free, MK_SHIFT | MK_CONTROL | more); };
    const std::vector<std::tuple<const char*, std::function<void()>, bool>> cases = {
        {"a goods text", [&] { Type(ids::Goods(3), "Brot"); }, true},
        {"a selection click, overridden", [&] { Click(ids::Selection(5, 2)); }, true},
        {"a name", [&] { Type(ids::Name(6), "G"); }, true},
        {"the pause before a command", [&] { dlg->SetBackgroundActive(FALSE); }, false},
        {"a plain right-click", [&] { Mouse(WM_RBUTTONUP, free, 0); }, false},
        {"a left press", [&] { Mouse(WM_LBUTTONDOWN, free, MK_LBUTTON); }, false},
        {"another button held", [&] { shiftCtrl(MK_LBUTTON); }, false},
        {"a restart, then a stop",
         [&] {
             shiftCtrl(0);
             EXPECT_TRUE(FrameShown());
             dlg->StopAnimation();
         },
         false}};
    unsigned seed = 0;
    for (const auto& [what, act, modifies] : cases) {
        SetPattern(++seed);
        const std::string before = Current();
        dlg->m_bModified = FALSE;
        dlg->m_animRepeat = 0;  // as a start-up without a script leaves it
        shiftCtrl(0);
        EXPECT_EQ(dlg->m_animRepeat, -1) << "until stopped";
        ASSERT_TRUE(FrameShown()) << what;
        act();
        EXPECT_TRUE(Idle()) << what;
        EXPECT_EQ(dlg->m_bModified != FALSE, modifies) << what;
        PumpUntil([] { return false; }, 30);
        EXPECT_EQ(Current(), before) << what << ": the selection is back, and nothing arrives late";
    }
}

TEST_F(AnimationDialog, WheelSetsTheDelayWithinItsBoundsAndTheWorkerEndsWithTheDialog) {
    const auto turn = [&](int delta) {
        ::SendMessageA(Wnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        return dlg->m_animDelay;
    };
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) seen.push_back(turn(WHEEL_DELTA));
    dlg->m_animDelay = 80;
    for (int i = 0; i < 3; ++i) seen.push_back(turn(-WHEEL_DELTA));
    EXPECT_EQ(seen, (std::vector<int>{100, 120, 140, 160, 160, 160, 60, 40, 40}));
    WriteAnimationScript({kOn, kOff});
    dlg->StartAnimation();
    ASSERT_TRUE(FrameShown());
    EXPECT_EQ(dlg->m_animDelay, 40) << "a value set while idle is used by the next animation";
    dlg->StopAnimation();
    EXPECT_EQ(dlg->m_animDelay, 80) << "a stop resets it";
    dlg->StartAnimation();
    ASSERT_TRUE(FrameShown());
    dlg.reset();  // must not hang or leave a thread behind
}

// Start and stop at random moments, mostly while the worker waits for the
// window thread: never a hang, and every stop restores the selection.
TEST_F(AnimationDialog, StressOfStartStopCycles) {
    WriteAnimationScript({kOn, "10101010101010101010", kOff});
    std::mt19937 random(20261206);
    for (int cycle = 0; cycle < 300; ++cycle) {
        SetPattern(random());
        const std::string before = Current();
        dlg->m_animDelay = 0;
        dlg->StartAnimation();
        ASSERT_TRUE(dlg->m_pAnimThread);
        for (int served = static_cast<int>(random() % 6); served > 0; --served) {  // whole steps of the worker
            MSG msg;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_SENDMESSAGE);
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        dlg->StopAnimation();
        ASSERT_TRUE(Idle()) << cycle;
        ASSERT_EQ(Current(), before) << cycle;
    }
}
