// Prices as the sums read them, and the sums and the total on the real dialog.
#include "grid/GridWindow.h"

#include "model/Amounts.h"

#include <cmath>

TEST(ModelAmounts, ReadsTheLeadingNumberAndWritesTwoDecimals) {
    const std::vector<std::pair<const char*, double>> cases = {
        {"", 0},      {"12.5", 12.5},  {"12,50", 12}, {"12abc", 12}, {"abc", 0},  {"-3", -3},       {"+4", 4},
        {"1e3", 1e3}, {" \t7.25", 7.25}, {".5", 0.5}, {"+-3", 0},    {"-", 0},    {"Info", 0},      {"nan", 0},
        {"-inf", 0},  {"Infinity", 0}, {"+NaN", 0},   {".e1", 0},    {"1e-999", 0}, {"1e999", HUGE_VAL}, {"1234567890.00", 1234567890}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseAmount(text), value) << '"' << text << '"';
    EXPECT_EQ(FormatAmount(-3) + " " + FormatAmount(1234567.891) + " " + FormatAmount(0.125), "-3.00 1234567.89 0.12");
}

using ModelTotals = GridWindowTest;

TEST_F(ModelTotals, PricesGiveTheTotalAndTheSumsOfTheirColumns) {
    Open();
    FirstPaint();
    const auto sums = [&] {
        TickSums();
        std::string s = Text(ids::kTotal);
        for (int column = 0; column < ids::kColumns; ++column) s.append(" ").append(Text(ids::Sum(column)));
        return s;
    };
    Click(ids::Selection(0, 0));
    Click(ids::Selection(0, 2));
    // An empty price is the empty list; ten digits count whole.
    for (const auto& [price, shown] : std::vector<std::pair<const char*, std::string>>{
             {"12.5", "12.50"}, {"12,50", "12.00"}, {"abc", "0.00"}, {"-3", "-3.00"}, {"1e3", "1000.00"},
             {"1234567890", "1234567890.00"}, {"", "0.00"}}) {
        Type(ids::Price(0), price);
        EXPECT_EQ(sums(), shown + " " + shown + " 0.00 " + shown + " 0.00 0.00 0.00 0.00") << price;
    }
    for (int i = 0; i < ids::kRows * ids::kColumns; ++i) dlg->SelectionButtonState(i % ids::kRows, i / ids::kRows, 1);
    for (int row = 0; row < ids::kRows; ++row) Type(ids::Price(row), std::to_string(row + 1) + ".25");
    EXPECT_EQ(sums(), "215.00 215.00 215.00 215.00 215.00 215.00 215.00 215.00");
    dlg->m_bModified = FALSE;
    Click(ids::kNumbers);
    sums();
    EXPECT_EQ(Text(ids::Selection(0, 0)) + "/" + Text(ids::Selection(19, 6)) + std::to_string(dlg->m_bModified), "01/200")
        << "\"N\" numbers the buttons; neither it nor the sums change the document";
    Click(ids::Selection(7, 3));
    EXPECT_TRUE(dlg->m_bModified) << "a selection click does";
}
