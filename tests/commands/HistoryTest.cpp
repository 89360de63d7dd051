// Undo and redo: every kind of step taken back and brought back whole, the
// modified flag that follows the history, and typing as one step.
#include "commands/CommandsFixture.h"

struct StepCase {
    const char* name;
    std::function<void(CPriceListDlg&, ScriptedSeams&)> step;
};

class CommandsHistory : public CommandsTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(CommandsHistory, UndoRestoresTheWholeListAndRedoBringsTheStepBack) {
    OpenList();
    const List before = WholeList();
    GetParam().step(*dlg, *seams);
    const List after = WholeList();
    ASSERT_NE(after, before);
    Press(ids::Goods(0), 'Z', {VK_CONTROL});
    EXPECT_EQ(WholeList(), before);
    EXPECT_EQ(dlg->m_rowInfo[2].strSource1, "brot.txt");
    Press(ids::Selection(4, 4), 'Y', {VK_CONTROL});
    EXPECT_EQ(WholeList(), after);
}

INSTANTIATE_TEST_SUITE_P(CommandsOfEveryKind, CommandsHistory, ::testing::Values(
    StepCase{"Typing", [](auto& d, auto&) { ::SetWindowTextA(d.Item(ids::Goods(0)), "K\xE4se"); }},
    StepCase{"ToggleClick", [](auto& d, auto&) { ::SendMessageA(d.Item(ids::Selection(2, 1)), BM_CLICK, 0, 0); }},
    StepCase{"RowsExchanged", [](auto& d, auto&) { d.TransferRow(2, 6, FALSE); }},
    StepCase{"RowCopied", [](auto& d, auto&) { d.TransferRow(6, 2, TRUE); }},
    StepCase{"ColumnsExchanged", [](auto& d, auto&) { d.TransferColumn(0, 6, FALSE); }},
    StepCase{"ColumnCopied", [](auto& d, auto&) { d.TransferColumn(6, 0, TRUE); }},
    StepCase{"RowCleared", [](auto& d, auto& s) { s.AnswerBox(IDYES); d.ClearRow(6); }},
    StepCase{"SeparatorLine", [](auto& d, auto&) { d.ToggleSeparator(2); }},
    StepCase{"LinkStepped", [](auto& d, auto&) { d.RefreshLinkedRow(6, -1); }},
    StepCase{"LinkMade", [](auto& d, auto& s) {
        s.AnswerFile(ListDocument("Haushalt"));
        s.AnswerModal([&d](dialogkit::Dialog& pick) {
            return DriveModeless(pick, d.GetSafeHwnd(), [](HWND h) { ::SendMessageA(h, WM_COMMAND, IDOK, 0); });
        });
        d.LinkRow(4);
    }},
    StepCase{"InfoChanged", [](auto& d, auto& s) {
        s.AnswerModal([&d](dialogkit::Dialog& info) {
            return DriveModeless(info, d.GetSafeHwnd(), [](HWND h) {
                ::SetDlgItemTextA(h, ids::kInfoText, "Neu");
                ::SendMessageA(h, WM_COMMAND, IDOK, 0);
            });
        });
        d.m_infoRow = 2;
        d.RunRowInfoDialog();
    }}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

// Typing in one field is one step: one undo takes all of it back.
TEST_F(CommandsTest, UndoBackToTheSavedListLeavesNothingToSaveAndRedoSomething) {
    for (const bool redo : {false, true}) {
        OpenList();
        for (const char* typed : {"1", "12", "12."}) ::SetWindowTextA(Item(ids::Price(0)), typed);
        Press(ids::Price(0), 'Z', {VK_CONTROL});
        EXPECT_TRUE(!dlg->m_bModified && Text(ids::Price(0)).empty() && !dlg->m_history->CanUndo());
        if (redo) Press(ids::Price(0), 'Z', {VK_CONTROL, VK_SHIFT});
        if (redo) seams->AnswerBox(IDNO);
        ::SendMessageA(Wnd(), WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(dlg->HasEnded());
        EXPECT_EQ(Shown().size(), redo ? 1u : 0u) << "the save question";
    }
}

TEST_F(CommandsTest, AStepThatChangesNothingIsDroppedAndLeavesTheListUnmodified) {
    // Row 05 cleared while empty; row 07 linked again to column B of Haushalt.
    OpenList();
    seams->AnswerBox(IDYES);
    dlg->ClearRow(4);
    seams->AnswerFile(ListDocument("Haushalt"));
    seams->AnswerModal([&](dialogkit::Dialog& pick) {
        return DriveModeless(pick, Wnd(), [](HWND h) {
            ::CheckRadioButton(h, ids::kPickChoiceBase, ids::kPickChoiceBase + ids::kColumns - 1, ids::kPickChoiceBase + 1);
            ::SendMessageA(h, WM_COMMAND, IDOK, 0);
        });
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
