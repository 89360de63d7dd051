// Sums, total, the modified flag and the numbering toggle on the real dialog.
#include "support/Harness.h"

class ModelTotals : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        Open();
        FirstPaint();
        dlg->m_bModified = FALSE;
    }
    std::string Sum(int column) const { return Text(ids::Sum(column)); }
};

TEST_F(ModelTotals, PriceCountsInTotalAndInEverySelectedColumn) {
    Type(ids::Price(0), "12.5");
    Click(ids::Selection(0, 0));
    Click(ids::Selection(0, 2));
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "12.50");
    EXPECT_EQ(Sum(0), "12.50");
    EXPECT_EQ(Sum(1), "0.00");
    EXPECT_EQ(Sum(2), "12.50");
    for (int column = 3; column < ids::kColumns; ++column) EXPECT_EQ(Sum(column), "0.00");

    // A price without any selection still counts in the total.
    Type(ids::Price(19), "1");
    Click(ids::Selection(19, 6));
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "13.50");
    EXPECT_EQ(Sum(6), "1.00");
}

TEST_F(ModelTotals, ConversionRules) {
    const struct {
        const char* price;
        const char* total;
    } cases[] = {{"12,50", "12.00"}, {"abc", "0.00"}, {"-3", "-3.00"}, {"1e3", "1000.00"}, {"", "0.00"}};
    Click(ids::Selection(4, 1));
    for (const auto& c : cases) {
        Type(ids::Price(4), c.price);
        TickSums();
        EXPECT_EQ(Text(ids::kTotal), c.total) << c.price;
        EXPECT_EQ(Sum(1), c.total) << c.price;
    }
}

TEST_F(ModelTotals, LongPriceCountsWhole) {
    // A linked sum of a million or more must not lose digits.
    ::SetWindowTextA(Item(ids::Price(2)), "1234567.89");
    ::SetWindowTextA(Item(ids::Price(3)), "1234567890.00");
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "1235802457.89");
}

TEST_F(ModelTotals, AFullListSumsEveryRow) {
    for (int row = 0; row < ids::kRows; ++row) {
        Type(ids::Price(row), std::to_string(row + 1) + ".25");
        for (int column = 0; column < ids::kColumns; ++column) Click(ids::Selection(row, column));
    }
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "215.00");
    for (int column = 0; column < ids::kColumns; ++column) EXPECT_EQ(Sum(column), "215.00");
}

TEST_F(ModelTotals, WhatMarksTheDocumentModified) {
    Click(ids::kNumbers);
    EXPECT_FALSE(dlg->m_bModified) << "N does not";
    TickSums();
    EXPECT_FALSE(dlg->m_bModified) << "recomputing does not";
    Click(ids::Selection(7, 3));
    EXPECT_TRUE(dlg->m_bModified) << "a selection click does";
    dlg->m_bModified = FALSE;
    Type(ids::Name(2), "Obst");
    EXPECT_TRUE(dlg->m_bModified) << "a name does";
    dlg->m_bModified = FALSE;
    Type(ids::Goods(5), "Brot");
    EXPECT_TRUE(dlg->m_bModified) << "a goods text does";
    dlg->m_bModified = FALSE;
    EXPECT_EQ(dlg->SelectionButtonState(7, 3, 0), 1);
    EXPECT_EQ(dlg->SelectionButtonState(7, 3, -1), 0);
    EXPECT_FALSE(dlg->m_bModified) << "setting a state by program does not";
}

TEST_F(ModelTotals, StartupPendingSuppressesTheModifiedMark) {
    dlg->m_bStartupPending = TRUE;
    Type(ids::Goods(0), "x");
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(ModelTotals, NumbersToggleWritesRowNumbersOnEveryButton) {
    Click(ids::kNumbers);
    EXPECT_EQ(Check(ids::kNumbers), BST_CHECKED);
    for (int row = 0; row < ids::kRows; ++row) {
        char label[8];
        snprintf(label, sizeof label, "%02d", row + 1);
        for (int column = 0; column < ids::kColumns; ++column) {
            EXPECT_EQ(Text(ids::Selection(row, column)), label);
        }
    }
    Click(ids::kNumbers);
    for (int row = 0; row < ids::kRows; ++row) {
        for (int column = 0; column < ids::kColumns; ++column) EXPECT_EQ(Text(ids::Selection(row, column)), "");
    }
}

TEST_F(ModelTotals, TextFieldsAcceptWhatADocumentStores) {
    // Typing stops at the limit; the limit is what a document keeps.
    EXPECT_EQ(::SendMessageA(Item(ids::Goods(0)), EM_GETLIMITTEXT, 0, 0), 259);
    EXPECT_EQ(::SendMessageA(Item(ids::Price(0)), EM_GETLIMITTEXT, 0, 0), 259);
    EXPECT_EQ(::SendMessageA(Item(ids::Name(0)), EM_GETLIMITTEXT, 0, 0), 259);
}

TEST_F(ModelTotals, TimersDoNothingWhileTheAnimationPlays) {
    Type(ids::Price(0), "5");
    dlg->m_bAnimRunning = TRUE;
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "");
    dlg->m_bAnimRunning = FALSE;
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "5.00");
}
