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
    Click(ids::Selection(19, 0));  // the last row in the first and the last column
    Click(ids::Selection(19, 6));
    // An empty price is the empty list; ten digits count whole.
    for (const auto& [price, shown] : std::vector<std::pair<const char*, std::string>>{
             {"12.5", "12.50"}, {"12,50", "12.00"}, {"abc", "0.00"}, {"-3", "-3.00"}, {"1e3", "1000.00"},
             {"1234567890", "1234567890.00"}, {"", "0.00"}}) {
        Type(ids::Price(19), price);
        TickSums();
        std::string sums = Text(ids::kTotal);
        for (int column = 0; column < ids::kColumns; ++column) sums.append(" ").append(Text(ids::Sum(column)));
        EXPECT_EQ(sums, shown + " " + shown + " 0.00 0.00 0.00 0.00 0.00 " + shown) << price;
    }
    dlg->m_bModified = FALSE;
    Click(ids::kNumbers);
    EXPECT_EQ(Text(ids::Selection(0, 0)) + "/" + Text(ids::Selection(19, 6)) + std::to_string(dlg->m_bModified), "01/200")
        << "\"N\" numbers the buttons and leaves the document as it is";
}
