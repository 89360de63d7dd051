#pragma once
// The button-pattern animation as a plain algorithm over a board, so that
// it can be played against the real buttons or against a table in a test.
#include <optional>
#include <string>

inline constexpr int kAnimRows = 20;
inline constexpr int kAnimColumns = 7;
inline constexpr int kAnimStartPauseMs = 200;
inline constexpr int kAnimClearStepMs = 10;
inline constexpr const char* kScriptSection = "BUTTONS";
inline constexpr const char* kScriptEndDefault = "x";

// What the animation acts on. Every call returns false once the animation
// has been stopped; the algorithm then returns at once.
class AnimationBoard {
public:
    virtual ~AnimationBoard() = default;
    // Reads (newState < 0) or sets a button's state; previous state in *previous.
    virtual bool Button(int row, int column, int newState, int* previous) = 0;
    // The script line of a frame, or the end marker default when it is missing.
    virtual bool ReadFrame(int frame, std::string* value) = 0;
    // One pass of the script is over: true in *more when another one follows.
    virtual bool EndOfPass(bool* more) = 0;
    virtual bool Pause(int ms) = 0;
    // The pause after each frame, read anew for every frame.
    virtual bool FrameDelay(int* ms) = 0;
};

// Lets every lit button fall out at the bottom, then scrolls the script in
// from the right, one line per frame, for as many passes as EndOfPass allows.
// Returns true when it ran to its end, false when it was stopped.
bool PlayAnimation(AnimationBoard& board);

// The state a script character sets: '0' off, '1' and above on; nothing for
// a character below '0' (the button keeps its state).
std::optional<int> ScriptCharState(char c);

// The key of a frame: three digits with leading zeros ("000", "001", ...).
std::string FrameKey(int frame);
