#include "commands/Commands.h"

#include "model/ControlIds.h"

#include <array>
#include <iterator>

namespace {

struct KeyBinding {
    KeyChord chord;
    Command command;
};

constexpr UINT kKeyC = 'C';
constexpr UINT kKeyV = 'V';
constexpr UINT kKeyZ = 'Z';
constexpr UINT kKeyY = 'Y';
constexpr UINT kKeyL = 'L';
constexpr UINT kKeyT = 'T';
constexpr UINT kKeyA = 'A';
constexpr UINT kKeyP = 'P';
constexpr UINT kKey1 = '1';
constexpr UINT kKey2 = '2';

// Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+A and Ctrl with the arrows stay the edits'.
constexpr std::array kBindings = {
    KeyBinding{{kKeyZ, true, false, false}, Command::kUndo},
    KeyBinding{{kKeyY, true, false, false}, Command::kRedo},
    KeyBinding{{kKeyZ, true, true, false}, Command::kRedo},
    KeyBinding{{VK_UP, false, false, true}, Command::kRowUp},
    KeyBinding{{VK_DOWN, false, false, true}, Command::kRowDown},
    KeyBinding{{VK_LEFT, false, false, true}, Command::kColumnLeft},
    KeyBinding{{VK_RIGHT, false, false, true}, Command::kColumnRight},
    KeyBinding{{kKeyC, true, true, false}, Command::kCopyRow},
    KeyBinding{{kKeyV, true, true, false}, Command::kPasteRow},
    KeyBinding{{kKeyC, false, true, true}, Command::kCopyColumn},
    KeyBinding{{kKeyV, false, true, true}, Command::kPasteColumn},
    KeyBinding{{VK_DELETE, true, false, false}, Command::kClearRow},
    KeyBinding{{kKeyL, true, false, false}, Command::kLinkRow},
    KeyBinding{{VK_NEXT, true, false, false}, Command::kLinkNext},
    KeyBinding{{VK_PRIOR, true, false, false}, Command::kLinkPrevious},
    KeyBinding{{VK_RETURN, false, false, true}, Command::kRowInfo},
    KeyBinding{{kKey1, true, false, false}, Command::kSource1},
    KeyBinding{{kKey2, true, false, false}, Command::kSource2},
    KeyBinding{{kKeyT, true, false, false}, Command::kSeparator},
    KeyBinding{{VK_F5, false, false, false}, Command::kReReadLinks},
    KeyBinding{{kKeyA, true, true, false}, Command::kAnimation},
    // Not Ctrl+Alt: that is AltGr on a German keyboard, which types characters.
    KeyBinding{{kKeyL, true, true, false}, Command::kCopyList},
    KeyBinding{{kKeyP, true, false, false}, Command::kPrint},
    KeyBinding{{VK_F10, false, true, false}, Command::kMenu},
    KeyBinding{{VK_APPS, false, false, false}, Command::kMenu},
};

struct MenuText {
    Command command;
    const char* text;
};

// Row entries, column entries, the whole list, the list on paper: a
// separator between groups.
constexpr std::array kEditLines = {
    MenuText{Command::kEditCut, "Ausschneiden\tStrg+X"},
    MenuText{Command::kEditCopy, "Kopieren\tStrg+C"},
    MenuText{Command::kEditPaste, "Einfügen\tStrg+V"},
    MenuText{Command::kEditDelete, "Löschen\tEntf"},
    MenuText{Command::kEditSelectAll, "Alles markieren\tStrg+A"},
};
constexpr std::array kRowLines = {
    MenuText{Command::kRowUp, "Reihe mit der oberen tauschen\tAlt+Oben"},
    MenuText{Command::kRowDown, "Reihe mit der unteren tauschen\tAlt+Unten"},
    MenuText{Command::kCopyRow, "Reihe kopieren\tStrg+Umschalt+C"},
    MenuText{Command::kPasteRow, "Kopierte Reihe hier einsetzen\tStrg+Umschalt+V"},
    MenuText{Command::kClearRow, "Reihe löschen...\tStrg+Entf"},
    MenuText{Command::kLinkRow, "Reihe verknüpfen...\tStrg+L"},
    MenuText{Command::kLinkNext, "Verknüpfung zur nächsten Spalte\tStrg+Bild ab"},
    MenuText{Command::kLinkPrevious, "Verknüpfung zur vorigen Spalte\tStrg+Bild auf"},
    MenuText{Command::kRowInfo, "Info zur Reihe...\tAlt+Eingabe"},
    MenuText{Command::kSource1, "Erste Quelle öffnen\tStrg+1"},
    MenuText{Command::kSource2, "Zweite Quelle öffnen\tStrg+2"},
    MenuText{Command::kSeparator, "Trennlinie unter der Reihe\tStrg+T"},
};
constexpr std::array kColumnLines = {
    MenuText{Command::kColumnLeft, "Spalte mit der linken tauschen\tAlt+Links"},
    MenuText{Command::kColumnRight, "Spalte mit der rechten tauschen\tAlt+Rechts"},
    MenuText{Command::kCopyColumn, "Spalte kopieren\tAlt+Umschalt+C"},
    MenuText{Command::kPasteColumn, "Kopierte Spalte hier einsetzen\tAlt+Umschalt+V"},
};
constexpr std::array kListLines = {
    MenuText{Command::kReReadLinks, "Alle Verknüpfungen neu lesen\tF5"},
    MenuText{Command::kAnimation, "Animation abspielen\tStrg+Umschalt+A"},
    MenuText{Command::kCopyList, "Liste als Tabelle kopieren\tStrg+Umschalt+L"},
    MenuText{Command::kUndo, "Rückgängig\tStrg+Z"},
    MenuText{Command::kRedo, "Wiederholen\tStrg+Y"},
};
constexpr std::array kPaperLines = {
    MenuText{Command::kPrint, "Drucken…\tStrg+P"},
};

bool Same(const KeyChord& a, const KeyChord& b) {
    return a.key == b.key && a.ctrl == b.ctrl && a.shift == b.shift && a.alt == b.alt;
}

template <typename Lines>
void Append(std::vector<MenuLine>& menu, const Lines& lines, const CommandState& state) {
    if (!menu.empty()) menu.push_back(MenuLine{});
    for (const MenuText& line : lines) {
        menu.push_back(MenuLine{line.command, line.text, Applies(line.command, state),
                                line.command == Command::kSeparator && state.separatorOn});
    }
}

}  // namespace

Command CommandForKeys(const KeyChord& chord) {
    for (const KeyBinding& binding : kBindings) {
        if (Same(binding.chord, chord)) return binding.command;
    }
    return Command::kNone;
}

int ArrowTarget(int id, UINT key) {
    const CommandTarget t = TargetOfControl(id);
    if (t.row >= 0 && t.column >= 0) {
        if (key == VK_LEFT && t.column > 0) return ids::Selection(t.row, t.column - 1);
        if (key == VK_RIGHT && t.column < ids::kColumns - 1) return ids::Selection(t.row, t.column + 1);
        return 0;
    }
    if (t.row < 0) return 0;
    if (key == VK_UP && t.row > 0) return id - 1;
    if (key == VK_DOWN && t.row < ids::kRows - 1) return id + 1;
    return 0;
}

CommandTarget TargetOfControl(int id) {
    CommandTarget t;
    if (ids::IsGoods(id)) t = {id - ids::kGoodsBase, -1, true};
    if (ids::IsPrice(id)) t = {id - ids::kPriceBase, -1, true};
    if (ids::IsSelection(id)) {
        const int index = id - ids::kSelectionBase;
        t = {index % ids::kRows, index / ids::kRows, false};
    }
    if (ids::IsName(id)) t = {-1, id - ids::kNameBase, true};
    return t;
}

bool Applies(Command command, const CommandState& s) {
    const int row = s.target.row;
    const int column = s.target.column;
    const bool hasRow = row >= 0;
    const bool hasColumn = column >= 0;
    switch (command) {
        case Command::kRowUp: return row > 0;
        case Command::kRowDown: return hasRow && row < ids::kRows - 1;
        case Command::kCopyRow:
        case Command::kClearRow:
        case Command::kLinkRow:
        case Command::kRowInfo: return hasRow;
        case Command::kPasteRow: return hasRow && s.copiedRow >= 0 && s.copiedRow != row;
        case Command::kLinkNext:
        case Command::kLinkPrevious: return hasRow && s.linked;
        case Command::kSource1: return hasRow && s.source1;
        case Command::kSource2: return hasRow && s.source2;
        case Command::kSeparator: return hasRow && row < ids::kSeparators;
        case Command::kColumnLeft: return column > 0;
        case Command::kColumnRight: return hasColumn && column < ids::kColumns - 1;
        case Command::kCopyColumn: return hasColumn;
        case Command::kPasteColumn: return hasColumn && s.copiedColumn >= 0 && s.copiedColumn != column;
        case Command::kUndo: return s.canUndo;
        case Command::kRedo: return s.canRedo;
        case Command::kEditCut:
        case Command::kEditCopy:
        case Command::kEditDelete: return s.target.edit && s.selectedText;
        case Command::kEditPaste: return s.target.edit && s.pasteable;
        case Command::kEditSelectAll: return s.target.edit;
        case Command::kNone: return false;
        default: return true;
    }
}

std::vector<MenuLine> MenuLines(const CommandState& state) {
    std::vector<MenuLine> menu;
    if (state.target.edit) Append(menu, kEditLines, state);
    Append(menu, kRowLines, state);
    Append(menu, kColumnLines, state);
    Append(menu, kListLines, state);
    Append(menu, kPaperLines, state);
    return menu;
}
