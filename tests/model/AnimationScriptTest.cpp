// The animation algorithm against a plain table of 20 x 7 states.
#include "model/AnimationScript.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

class TableBoard : public AnimationBoard, public ButtonGrid {
public:
    int state[kAnimRows][kAnimColumns] = {};
    std::map<int, std::string> script;
    int repeat = 1;  // passes, as the dialog counts them: -1 endless
    int passesEnded = 0;
    int pauses = 0;
    int stopAfterPauses = -1;
    std::vector<std::vector<int>> columnGAfterFrame;

    int State(int row, int column, int newState) override {
        const int previous = state[row][column];
        if (newState >= 0) state[row][column] = newState;
        return previous;
    }
    bool Apply(const GridStep& step) override {
        step(*this);
        return true;
    }
    bool ReadFrame(int frame, std::string* value) override {
        const auto it = script.find(frame);
        *value = it == script.end() ? kScriptEndDefault : it->second;
        return true;
    }
    bool EndOfPass(bool* more) override {
        ++passesEnded;
        if (repeat > 0) --repeat;
        *more = repeat != 0;
        return true;
    }
    bool Pause(int) override {
        if (pauses >= 22) {  // after the clearing phase: one pause per frame
            std::vector<int> g;
            for (int row = 0; row < kAnimRows; ++row) g.push_back(state[row][kAnimColumns - 1]);
            columnGAfterFrame.push_back(g);
        }
        return ++pauses != stopAfterPauses;
    }
    bool FrameDelay(int* ms) override {
        *ms = 1;
        return true;
    }
    int Lit() const {
        int n = 0;
        for (const auto& row : state)
            for (int v : row) n += v != 0;
        return n;
    }
};

void LightAll(TableBoard& b) {
    for (auto& row : b.state)
        for (int& v : row) v = 1;
}

}  // namespace

TEST(AnimationScript, ClearingPhaseLetsEveryButtonFallOut) {
    TableBoard b;
    LightAll(b);
    b.script = {};  // no frame: the pass ends at once after clearing
    EXPECT_TRUE(PlayAnimation(b));
    EXPECT_EQ(b.Lit(), 0);
    EXPECT_EQ(b.pauses, 22) << "the start pause and 21 clearing steps";

    // A single lit button at the top falls all the way out.
    TableBoard one;
    one.state[0][3] = 1;
    one.stopAfterPauses = 3;  // stop after the first two clearing steps
    EXPECT_FALSE(PlayAnimation(one));
    EXPECT_EQ(one.state[2][3], 1) << "two steps moved it down two rows";
    EXPECT_EQ(one.Lit(), 1);
}

TEST(AnimationScript, LinesEnterAtColumnGAndWanderLeft) {
    TableBoard b;
    b.script = {{0, std::string(20, '1')}, {1, "1111"}, {2, "1-1-"}};
    EXPECT_TRUE(PlayAnimation(b));
    ASSERT_EQ(b.columnGAfterFrame.size(), 3u);
    for (int row = 0; row < kAnimRows; ++row) EXPECT_EQ(b.columnGAfterFrame[0][row], 1) << "all 20 rows";
    // Frame 1: G was scrolled to F, G kept its state and rows 0-3 were set.
    for (int row = 0; row < kAnimRows; ++row) EXPECT_EQ(b.columnGAfterFrame[1][row], 1) << row;
    EXPECT_EQ(b.passesEnded, 1);
    EXPECT_EQ(b.repeat, 0);

    TableBoard partial;
    partial.script = {{0, "0000"}, {1, "1-1-"}};
    EXPECT_TRUE(PlayAnimation(partial));
    // After frame 0 rows 0-3 are off, rows 4-19 as before (off after clearing).
    // Frame 1: '1' at rows 0 and 2, rows 1 and 3 unchanged (off).
    EXPECT_EQ(partial.columnGAfterFrame[1], std::vector<int>({1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                              0, 0, 0}));
}

TEST(AnimationScript, ShortLinesLeaveTheOtherRowsOfColumnG) {
    TableBoard b;
    b.script = {{0, std::string(20, '1')}, {1, "0000"}};
    EXPECT_TRUE(PlayAnimation(b));
    const std::vector<int>& g = b.columnGAfterFrame[1];
    for (int row = 0; row < 4; ++row) EXPECT_EQ(g[row], 0);
    for (int row = 4; row < kAnimRows; ++row) EXPECT_EQ(g[row], 1) << row;
    // After two frames the first line has moved to F, the second is in G.
    for (int row = 0; row < kAnimRows; ++row) EXPECT_EQ(b.state[row][5], 1);
}

TEST(AnimationScript, CharactersAboveOneCountAsOn) {
    EXPECT_EQ(ScriptCharState('0'), 0);
    EXPECT_EQ(ScriptCharState('1'), 1);
    EXPECT_EQ(ScriptCharState('7'), 1);
    EXPECT_EQ(ScriptCharState('a'), 1);
    EXPECT_FALSE(ScriptCharState('-'));
    EXPECT_FALSE(ScriptCharState(' '));
    EXPECT_FALSE(ScriptCharState('/'));
    EXPECT_EQ(FrameKey(0), "000");
    EXPECT_EQ(FrameKey(42), "042");
    EXPECT_EQ(FrameKey(1234), "1234");
}

TEST(AnimationScript, RepeatCountsPassesAndEndlessNeverEnds) {
    TableBoard twice;
    twice.repeat = 2;
    twice.script = {{0, "1"}, {1, "0"}};
    EXPECT_TRUE(PlayAnimation(twice));
    EXPECT_EQ(twice.passesEnded, 2);
    EXPECT_EQ(twice.columnGAfterFrame.size(), 4u) << "two passes of two frames without a gap";

    TableBoard endless;
    endless.repeat = -1;
    endless.script = {{0, "1"}};
    endless.stopAfterPauses = 22 + 50;
    EXPECT_FALSE(PlayAnimation(endless)) << "only a stop ends it";
    EXPECT_GE(endless.passesEnded, 49);

    // A script whose first key went missing ends after the wrap-around.
    TableBoard gone;
    gone.repeat = -1;
    gone.script = {};
    EXPECT_TRUE(PlayAnimation(gone));
    EXPECT_EQ(gone.passesEnded, 1);
}
