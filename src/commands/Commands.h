#pragma once
// The actions a user can take on the list, apart from any window: which
// key chord asks for which, and the context menu's entries with their
// shortcuts and what makes each apply.
#include "dialogkit/Win32.h"

#include <string>
#include <vector>

enum class Command {
    kNone,
    kRowUp,
    kRowDown,
    kCopyRow,
    kPasteRow,
    kClearRow,
    kLinkRow,
    kLinkNext,
    kLinkPrevious,
    kRowInfo,
    kSource1,
    kSource2,
    kSeparator,
    kColumnLeft,
    kColumnRight,
    kCopyColumn,
    kPasteColumn,
    kReReadLinks,
    kAnimation,
    kCopyList,
    kUndo,
    kRedo,
    kPrint,
    kMenu,
    // An edit's own commands, in the menu only: its keys stay its own.
    kEditCut,
    kEditCopy,
    kEditPaste,
    kEditDelete,
    kEditSelectAll,
};

// A key as pressed, with the modifiers held.
struct KeyChord {
    UINT key = 0;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

// The command a chord asks for; kNone leaves the key to the control.
Command CommandForKeys(const KeyChord& chord);

// Where a plain arrow key moves the focus from this control: Left and Right
// along a row of selection buttons, Up and Down along the goods or the
// prices; 0 where it leaves the key to the control (Up and Down within a
// column of buttons are the dialog's own).
int ArrowTarget(int id, UINT key);

// Where the focus is: its row and column (-1 where it has none) and
// whether it is an edit with its own commands.
struct CommandTarget {
    int row = -1;
    int column = -1;
    bool edit = false;
};

// The target of the control with this id in the main window.
CommandTarget TargetOfControl(int id);

// What decides which entries apply, read from the window.
struct CommandState {
    CommandTarget target;
    int copiedRow = -1;
    int copiedColumn = -1;
    bool linked = false;
    bool source1 = false;
    bool source2 = false;
    bool separatorOn = false;
    bool canUndo = false;
    bool canRedo = false;
    bool selectedText = false;  // the edit has a selection
    bool pasteable = false;     // the clipboard holds text
};

bool Applies(Command command, const CommandState& state);

// One line of the context menu: a command with its text and shortcut, or
// a separator (kNone).
struct MenuLine {
    Command command = Command::kNone;
    std::string text;  // "Reihe kopieren\tStrg+Umschalt+C"
    bool enabled = false;
    bool checked = false;
};
std::vector<MenuLine> MenuLines(const CommandState& state);

// Menu item ids: the command's number above this base.
inline constexpr UINT kMenuIdBase = 0x7000;
