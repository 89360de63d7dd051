// Undo and redo beyond the single action (each action is taken back in
// the key tests): a step that changes nothing, the focus after a step, the
// depth.
#include "commands/CommandsFixture.h"

TEST_F(CommandsTest, AStepThatChangesNothingIsDroppedAndLeavesTheListUnmodified) {
    // Row 05 cleared while empty; row 07 linked again to column B of Haushalt.
    OpenList();
    seams->AnswerBox(IDYES);
    dlg->ClearRow(4);
    seams->AnswerFile(ListDocument("Haushalt"));
    seams->AnswerDialog([](HWND h) {
        ::CheckRadioButton(h, ids::kPickChoiceBase, ids::kPickChoiceBase + ids::kColumns - 1, ids::kPickChoiceBase + 1);
        Pressing(IDOK)(h);
    });
    dlg->LinkRow(6);
    EXPECT_FALSE(dlg->m_history->CanUndo());
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(CommandsTest, AFieldACommandDisablesHandsTheFocusToTheRowsFirstButton) {
    // Linked row 07 copied onto row 03 while goods 03 has the focus; undone,
    // and redone while price 03 has it.
    OpenList();
    FirstPaint();
    Press(ids::Goods(6), 'C', {VK_CONTROL, VK_SHIFT});
    ::SetFocus(Item(ids::Goods(2)));
    Press(ids::Goods(2), 'V', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(::GetFocus(), Item(ids::Selection(2, 0))) << "after the copy";
    Press(ids::Selection(2, 0), 'Z', {VK_CONTROL});
    ::SetFocus(Item(ids::Price(2)));
    Press(ids::Price(2), 'Y', {VK_CONTROL});
    EXPECT_EQ(::GetFocus(), Item(ids::Selection(2, 0))) << "after the redo";
}

TEST(CommandsHistoryDepth, AHundredStepsBackAndANewStepDropsWhatCouldBeRedone) {
    CommandHistory history;
    DocumentValues values;
    for (int i = 0; i < 150; ++i) history.Take(values);
    int undone = 0;
    while (history.Undo(values)) ++undone;
    EXPECT_EQ(undone, 100);
    history.Take(values);
    EXPECT_FALSE(history.CanRedo());
}
