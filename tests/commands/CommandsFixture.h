#pragma once
// The main window with a list that has something in every kind of field,
// keys pressed as the dialog's loop hands them on, and the whole list as
// the user sees it.
#include "document/DocumentTestSupport.h"
#include "grid/GridWindow.h"

#include <initializer_list>
#include <tuple>

inline std::string ListDocument(const char* title) { return TestDir() + "\\" + title + ".pgx"; }

class CommandsTest : public GridWindowTest {
public:
    POINT Label(int row) const { return Centre(Geometry().rowLabel[row]); }
    POINT Header(int column) const { return Centre(Geometry().columnHeader[column]); }
    POINT Square(int row) const { return Centre(Geometry().square[row]); }
    // Row 03 "Brot" with an info text, row 07 linked to column B of
    // Haushalt, a line below row 03 and two named columns.
    void OpenList() {
        WriteFileBytes(ListDocument("Zeilen"), documents::CrLf({"[LISTE]", "Ware 03=Brot", "Preis03=2.10",
            "Ware 07=[B] - [Haushalt]--> Milch", "Preis07=1.19", "[A]", "Name=Obst", "[G]", "Name=Bad",
            "[BUTTONS]", "A=00100000000000000000", "G=00000010000000000000", "[SETTINGS]",
            "Lines=0010000000000000000", "[SHARED]", "Column=//////1/////////////",
            "File 07=" + ListDocument("Haushalt"), "[INFO]", "Text03=Info", "URN103=brot.txt", "URN203=brot.html"}));
        Open(ListDocument("Zeilen"));
    }
    // A key pressed in a control (0: the window), with the keys held; the
    // dialog's loop hands it to IsDialogMessage.
    void Press(int id, UINT key, std::initializer_list<int> held = {}) const {
        BYTE state[256] = {};
        for (const int k : held) state[k] = 0x80;
        ::SetKeyboardState(state);
        const bool alt = state[VK_MENU] != 0;
        MSG msg{id ? Item(id) : Wnd(), alt ? UINT{WM_SYSKEYDOWN} : UINT{WM_KEYDOWN}, key, 0, 0, {}};
        ::IsDialogMessageA(Wnd(), &msg);
        BYTE none[256] = {};
        ::SetKeyboardState(none);
    }
    using List = std::tuple<std::vector<RowView>, std::vector<std::string>, std::string>;
    // Every row, the column names and the separator lines ("1" = on).
    List WholeList() const {
        List list;
        for (int row = 0; row < ids::kRows; ++row) std::get<0>(list).push_back(Row(row));
        for (int column = 0; column < ids::kColumns; ++column) std::get<1>(list).push_back(Text(ids::Name(column)));
        for (const int line : dlg->m_separatorLines) std::get<2>(list) += std::to_string(line);
        return list;
    }
};
