#pragma once
// The button-pattern animation as a plain algorithm over a board, so that
// it can be played against the real buttons or against a table in a test.
#include <functional>
#include <optional>
#include <string>

inline constexpr int kAnimRows = 20;
inline constexpr int kAnimColumns = 7;
inline constexpr const char* kScriptSection = "BUTTONS";
inline constexpr const char* kScriptEndDefault = "x";

// The fixed pauses of an animation: before the clearing phase and after
// each of its steps.
struct AnimationTiming {
    int startPauseMs = 200;
    int clearStepMs = 10;
};

// The 7 x 20 selection states: reads (newState < 0) or sets one, returning
// the state before.
class ButtonGrid {
public:
    virtual ~ButtonGrid() = default;
    virtual int State(int row, int column, int newState) = 0;
};

using GridStep = std::function<void(ButtonGrid&)>;

// What the animation acts on. Every call returns false once the animation
// has been stopped; the algorithm then returns at once.
class AnimationBoard {
public:
    virtual ~AnimationBoard() = default;
    // Carries out one step on the buttons, whole.
    virtual bool Apply(const GridStep& step) = 0;
    // The script line of a frame, or the end marker default when it is missing.
    virtual bool ReadFrame(int frame, std::string* value) = 0;
    // One pass of the script is over: true in *more when another one follows.
    virtual bool EndOfPass(bool* more) = 0;
    virtual bool Pause(int ms) = 0;
    // The pause after each frame, read anew for every frame.
    virtual bool FrameDelay(int* ms) = 0;
};

// Step k of the clearing phase (k = -1 .. 19): every column's rows below k
// move down by one, the bottom row falls out, row k goes dark.
void ClearingStep(ButtonGrid& grid, int k);
// Columns B..G move one to the left; A's states are lost, G keeps its own.
void ScrollLeft(ButtonGrid& grid);
// A script line into column G: '0' off, '1' (and above) on, a character
// below '0' leaves the button; rows beyond the line keep their state.
void FeedLastColumn(ButtonGrid& grid, const std::string& line);

// Lets every lit button fall out at the bottom, then scrolls the script in
// from the right, one line per frame, for as many passes as EndOfPass allows.
// Returns true when it ran to its end, false when it was stopped.
bool PlayAnimation(AnimationBoard& board, const AnimationTiming& timing = {});

// The state a script character sets: '0' off, '1' and above on; nothing for
// a character below '0' (the button keeps its state).
std::optional<int> ScriptCharState(char c);

// The key of a frame: three digits with leading zeros ("000", "001", ...).
std::string FrameKey(int frame);
