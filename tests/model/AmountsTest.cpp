// Prices as the sums read them (atof's leading number, in the classic
// locale), the sums, the total and "N" on the real dialog.
#include "document/IniFile.h"
#include "grid/GridWindow.h"
#include "grid/SelectionLook.h"

using ModelTotals = GridWindowTest;

TEST_F(ModelTotals, PricesGiveTheTotalAndTheSumsOfTheirColumns) {
    Open();
    FirstPaint();
    for (const int column : {0, 6}) Click(ids::Selection(19, column));  // the last row in the first and the last column
    // An empty price is the empty list; ten digits count whole; words count 0;
    // a number too large is infinite, as atof reads it.
    for (const auto& [price, shown] : std::vector<std::pair<const char*, std::string>>{
             {"12.5", "12.50"}, {"12,50", "12.00"}, {"abc", "0.00"}, {"-3", "-3.00"}, {"1e3", "1000.00"},
             {"1234567890", "1234567890.00"}, {"", "0.00"}, {" +.5x", "0.50"}, {"+-3", "0.00"}, {"1e-999", "0.00"},
             {"1e999", "inf"}, {"Info", "0.00"}, {"nan", "0.00"}, {"-inf", "0.00"}, {"Infinity", "0.00"}, {"0.125", "0.12"}}) {
        Type(ids::Price(19), price);
        Pump();  // the total follows the keystroke, not the sum timer
        std::vector<std::string> sums{Text(ids::kTotal)};  // the total, then columns A to G
        for (int column = 0; column < ids::kColumns; ++column) sums.push_back(Text(ids::Sum(column)));
        EXPECT_EQ(sums, (std::vector<std::string>{shown, shown, "0.00", "0.00", "0.00", "0.00", "0.00", shown})) << price;
    }
    // A burst of changes, every field of a document read, is summed once.
    const unsigned before = dlg->m_nSumsWorkedOut;
    dlg->ReadDocumentFrom(IniFile{});
    Pump();
    EXPECT_EQ(std::pair(Text(ids::kTotal), dlg->m_nSumsWorkedOut - before), std::pair(std::string("0.00"), 1u));
    // "N" numbers the buttons by their rows and leaves the document as it is.
    dlg->m_bModified = FALSE;
    Click(ids::kNumbers);
    EXPECT_EQ(grid::FaceText(Item(ids::Selection(0, 0))), "01");
    EXPECT_EQ(grid::FaceText(Item(ids::Selection(19, 6))), "20");
    EXPECT_FALSE(dlg->m_bModified);
}
