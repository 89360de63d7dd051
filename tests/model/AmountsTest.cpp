// Prices as the sums read them, and on the real dialog the sums, the total,
// the modified mark and the numbering toggle "N".
#include "support/Harness.h"

#include "model/Amounts.h"

#include <cmath>

TEST(ModelAmounts, ReadsTheLeadingNumberAndWritesTwoDecimals) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"", 0},     {"12.5", 12.5}, {"12,50", 12}, {"12abc", 12}, {"abc", 0},     {"-3", -3},     {"+4", 4},
        {"1e3", 1e3}, {" \t7.25", 7.25}, {".5", 0.5}, {"+-3", 0},   {"-", 0},       {"Info", 0},    {"nan", 0},
        {"-inf", 0}, {"Infinity", 0}, {"+NaN", 0},  {".e1", 0},    {"1e-999", 0},  {"1e999", HUGE_VAL},
        {"1234567890.00", 1234567890.0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseAmount(text), value) << '"' << text << '"';
    EXPECT_EQ(FormatAmount(0) + " " + FormatAmount(-3) + " " + FormatAmount(1234567.891), "0.00 -3.00 1234567.89");
    EXPECT_EQ(FormatAmount(0.125) + " " + FormatAmount(1e15), "0.12 1000000000000000.00") << "as printf rounds";
}

class ModelTotals : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        Open();
        FirstPaint();
    }
    std::string Sums() const {
        std::string s = Text(ids::kTotal);
        for (int column = 0; column < ids::kColumns; ++column) s.append(" ").append(Text(ids::Sum(column)));
        return s;
    }
};

TEST_F(ModelTotals, PricesGiveTheTotalAndTheSumsOfTheirColumns) {
    Click(ids::Selection(0, 0));
    Click(ids::Selection(0, 2));
    // An empty price is the empty list; ten digits count whole.
    for (const auto& [price, shown] : std::vector<std::pair<const char*, std::string>>{
             {"12.5", "12.50"}, {"12,50", "12.00"}, {"abc", "0.00"}, {"-3", "-3.00"}, {"1e3", "1000.00"},
             {"1234567890", "1234567890.00"}, {"", "0.00"}}) {
        Type(ids::Price(0), price);
        TickSums();
        EXPECT_EQ(Sums(), shown + " " + shown + " 0.00 " + shown + " 0.00 0.00 0.00 0.00") << price;
    }
    for (int i = 0; i < ids::kRows * ids::kColumns; ++i) dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, 1);
    for (int row = 0; row < ids::kRows; ++row) Type(ids::Price(row), std::to_string(row + 1) + ".25");
    TickSums();
    EXPECT_EQ(Sums(), "215.00 215.00 215.00 215.00 215.00 215.00 215.00 215.00");
}

TEST_F(ModelTotals, WhatMarksTheDocumentModifiedAndNumbersOnTheButtons) {
    const std::vector<std::tuple<const char*, std::function<void()>, bool>> cases = {
        {"N", [&] { Click(ids::kNumbers); }, false},
        {"recomputed sums", [&] { TickSums(); }, false},
        {"a state set by the program", [&] { dlg->SelectionButtonState(7, 3, 1); }, false},
        {"a selection click", [&] { Click(ids::Selection(7, 3)); }, true},
        {"a name", [&] { Type(ids::Name(2), "Obst"); }, true},
        {"a goods text", [&] { Type(ids::Goods(5), "Brot"); }, true},
        {"a price", [&] { Type(ids::Price(5), "1"); }, true},
        {"typing while the start-up is pending", [&] { dlg->m_bStartupPending = TRUE; Type(ids::Goods(0), "x"); }, false}};
    for (const auto& [what, act, marks] : cases) {
        dlg->m_bModified = FALSE;
        act();
        EXPECT_EQ(dlg->m_bModified != FALSE, marks) << what;
    }
    for (const bool on : {true, false}) {  // "N" was clicked once above
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) {
            const int number = i % ids::kRows + 1;
            EXPECT_EQ(Text(ids::kSelectionBase + i), on ? std::to_string(number / 10) + std::to_string(number % 10) : "");
        }
        Click(ids::kNumbers);
    }
}
