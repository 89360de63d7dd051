#include "printing/PrintedContent.h"

#include "app/PriceListDlg.h"

#include <cstdio>

namespace printing {

std::string PrintedAtLine() {
    // The formats' longest results are far shorter than these.
    char date[80] = {};
    char time[80] = {};
    ::GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    ::GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, sizeof time);
    return std::string("Gedruckt am ") + date + " um " + time;
}

}  // namespace printing

namespace {

// As much as the fields and a document hold, and the end.
constexpr int kFieldBuffer = 260;

}  // namespace

printing::PrintedContent CPriceListDlg::CapturePrintedContent() {
    // The sums as the list stands now, not as at the last tick.
    UpdateSums();
    printing::PrintedContent c;
    c.title = m_strDocTitle;
    c.path = m_strDocPath;
    c.printedAt = printing::PrintedAtLine();
    for (int column = 0; column < ids::kColumns; ++column) {
        c.names[column] = GetItemText(ids::Name(column), kFieldBuffer);
        c.sums[column] = GetItemText(ids::Sum(column), kFieldBuffer);
    }
    c.total = GetItemText(ids::kTotal, kFieldBuffer);
    for (int row = 0; row < ids::kRows; ++row) {
        printing::PrintedRow& r = c.rows[row];
        char number[4] = {};
        std::snprintf(number, sizeof number, "%02d", row + 1);
        r.number = number;
        r.goods = GetItemText(ids::Goods(row), kFieldBuffer);
        r.price = GetItemText(ids::Price(row), kFieldBuffer);
        for (int column = 0; column < ids::kColumns; ++column) r.selected[column] = SelectionButtonState(row, column, -1) == BST_CHECKED;
        r.linked = !m_rowLinkFile[row].empty();
        r.lineBelow = row < ids::kSeparators && m_separatorLines[row] != 0;
        const RowInfo& info = m_rowInfo[row];
        if (!info.strText.empty()) c.notes.push_back({r.number, r.goods, info.strText, info.strSource1, info.strSource2});
    }
    return c;
}
