// Mouse gestures driven with the messages a mouse produces, at the table
// coordinates and with the key-state flags a user's hands give.
#include "commands/CommandsFixture.h"

using GridGestures = CommandsTest;

TEST_F(GridGestures, RowDragsExchangeOrCopyAllButTheSeparators) {
    Open();
    const std::string price = "12345678901234567890.99";  // longer than a drag once carried
    const RowView brot{"Brot", price, "A", "Info"}, milch{"[B] - [Haushalt]--> Milch", "1.19", "G", "", true, 1};
    // The path of the drag, the keys held, rows 03 and 07 afterwards; the
    // last two paths leave the strip and come back, or end on a seam.
    const std::vector<std::tuple<std::vector<POINT>, UINT, RowView, RowView>> cases = {
        {{Label(2), Label(6)}, 0, milch, brot}, {{Label(2), Label(6)}, MK_CONTROL, brot, brot},
        {{Label(6), Label(2)}, MK_CONTROL, milch, milch}, {{Label(2), Label(6)}, MK_CONTROL | MK_SHIFT, milch, brot},
        {{Label(2), Label(2)}, 0, brot, milch}, {{Label(2), Centre(Geometry().goods[2]), Label(6)}, 0, brot, milch},
        {{Label(2), POINT{20, Geometry().rowLabel[2].bottom}}, 0, brot, milch}};
    for (size_t i = 0; i < cases.size(); ++i) {
        const auto& [path, keys, row3, row7] = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        OpenList();
        Type(ids::Price(2), price);
        dlg->m_bModified = FALSE;
        Drag(path, keys);
        EXPECT_EQ(std::pair(Row(2), Row(6)), std::pair(row3, row7));
        EXPECT_EQ(dlg->m_bModified != FALSE, !(row3 == brot && row7 == milch)) << "a change marks the document";
        EXPECT_TRUE(dlg->m_separatorLines[2] == 1 && dlg->m_separatorLines[6] == 0) << "separators stay";
    }
    RemoveFile(ListDocument("Zeilen"));
}

