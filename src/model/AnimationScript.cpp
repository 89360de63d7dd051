#include "model/AnimationScript.h"

#include <cstdio>

std::optional<int> ScriptCharState(char c) {
    if (c < '0') return std::nullopt;
    return c == '0' ? 0 : 1;
}

std::string FrameKey(int frame) {
    char key[16];
    std::snprintf(key, sizeof key, "%03i", frame);
    return key;
}

void ClearingStep(ButtonGrid& grid, int k) {
    for (int row = kAnimRows - 1; row >= k + 1; --row) {
        for (int column = 0; column < kAnimColumns; ++column) {
            // The row above the top row counts as off.
            const int above = row > 0 ? grid.State(row - 1, column, -1) : 0;
            grid.State(row, column, above);
        }
        for (int column = 0; column < kAnimColumns && row > 0; ++column) grid.State(row - 1, column, 0);
    }
}

void ScrollLeft(ButtonGrid& grid) {
    for (int column = 0; column + 1 < kAnimColumns; ++column) {
        for (int row = 0; row < kAnimRows; ++row) grid.State(row, column, grid.State(row, column + 1, -1));
    }
}

void FeedLastColumn(ButtonGrid& grid, const std::string& line) {
    for (int row = 0; row < kAnimRows && row < static_cast<int>(line.size()); ++row) {
        if (const std::optional<int> state = ScriptCharState(line[row])) {
            grid.State(row, kAnimColumns - 1, *state);
        }
    }
}

namespace {

bool IsEndMarker(const std::string& value) { return !value.empty() && value[0] == 'x'; }

}  // namespace

bool PlayAnimation(AnimationBoard& board, const AnimationTiming& timing) {
    if (!board.Pause(timing.startPauseMs)) return false;
    for (int k = -1; k < kAnimRows; ++k) {
        if (!board.Apply([k](ButtonGrid& grid) { ClearingStep(grid, k); })) return false;
        if (!board.Pause(timing.clearStepMs)) return false;
    }
    std::string line;
    for (int frame = 0;;) {
        if (!board.ReadFrame(frame, &line)) return false;
        if (IsEndMarker(line)) {
            frame = 0;
            bool more = true;
            if (!board.EndOfPass(&more)) return false;
            if (!more) return true;
        }
        if (!board.Apply(ScrollLeft)) return false;
        if (!board.ReadFrame(frame, &line)) return false;
        if (IsEndMarker(line)) return true;
        if (!board.Apply([&line](ButtonGrid& grid) { FeedLastColumn(grid, line); })) return false;
        int delay = 0;
        if (!board.FrameDelay(&delay) || !board.Pause(delay)) return false;
        ++frame;
    }
}
