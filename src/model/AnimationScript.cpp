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

namespace {

bool IsEndMarker(const std::string& value) { return !value.empty() && value[0] == 'x'; }

bool Copy(AnimationBoard& board, int fromRow, int fromColumn, int toRow, int toColumn) {
    int state = 0;
    return board.Button(fromRow, fromColumn, -1, &state) && board.Button(toRow, toColumn, state, &state);
}

// Step k moves every column's rows below k down by one; row k goes dark.
bool ClearingStep(AnimationBoard& board, int k) {
    int ignored = 0;
    for (int row = kAnimRows - 1; row >= k + 1; --row) {
        for (int column = 0; column < kAnimColumns; ++column) {
            if (row == 0) {
                if (!board.Button(row, column, 0, &ignored)) return false;
            } else if (!Copy(board, row - 1, column, row, column)) {
                return false;
            }
        }
        for (int column = 0; column < kAnimColumns && row >= 1; ++column) {
            if (!board.Button(row - 1, column, 0, &ignored)) return false;
        }
    }
    return true;
}

bool ScrollLeft(AnimationBoard& board) {
    for (int column = 0; column + 1 < kAnimColumns; ++column) {
        for (int row = 0; row < kAnimRows; ++row) {
            if (!Copy(board, row, column + 1, row, column)) return false;
        }
    }
    return true;
}

bool FeedLastColumn(AnimationBoard& board, const std::string& line) {
    int ignored = 0;
    for (int row = 0; row < kAnimRows && row < static_cast<int>(line.size()); ++row) {
        if (const std::optional<int> state = ScriptCharState(line[row])) {
            if (!board.Button(row, kAnimColumns - 1, *state, &ignored)) return false;
        }
    }
    return true;
}

}  // namespace

bool PlayAnimation(AnimationBoard& board) {
    if (!board.Pause(kAnimStartPauseMs)) return false;
    for (int k = -1; k < kAnimRows; ++k) {
        if (!ClearingStep(board, k) || !board.Pause(kAnimClearStepMs)) return false;
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
        if (!ScrollLeft(board)) return false;
        if (!board.ReadFrame(frame, &line)) return false;
        if (IsEndMarker(line)) return true;
        int delay = 0;
        if (!FeedLastColumn(board, line) || !board.FrameDelay(&delay) || !board.Pause(delay)) return false;
        ++frame;
    }
}
