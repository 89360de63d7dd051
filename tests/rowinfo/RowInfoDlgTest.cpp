// The row info dialog, run as the double-click on a row's square runs it:
// what OK and Cancel leave in the record, and a text too long for it.
#include "links/LinksFixture.h"

static void PrintTo(const RowInfo& r, std::ostream* out) {
    *out << "text \"" << r.strText << "\", sources \"" << r.strSource1 << "\" and \"" << r.strSource2 << "\", "
         << (r.nAutoOpen ? "opens" : "does not open") << " by itself";
}

class RowInfoDialog : public LinksTest {
protected:
    void Run(int row, const std::function<void(HWND)>& work) {
        seams->AnswerDialog(work);
        dlg->m_infoRow = row;
        dlg->RunRowInfoDialog();
    }
};

TEST_F(RowInfoDialog, OnlyOkStoresAndMarksModifiedExactlyWhenSomethingDiffers) {
    const RowInfo kept{"abc", "s1", "s2", 0};
    // Typed into (with a text) or pressed, the check box toggled, then OK or Cancel (as Escape and the close box do).
    const struct { int id; const char* text; int toggles, end; RowInfo stored; } cases[] = {
        {0, "", 2, IDOK, kept}, {ids::kInfoText, "Abc", 0, IDOK, {"Abc", "s1", "s2", 0}},
        {ids::kInfoSource1, "S1", 0, IDOK, {"abc", "S1", "s2", 0}}, {ids::kInfoSource2, "s2 ", 0, IDOK, {"abc", "s1", "s2 ", 0}},
        {0, "", 1, IDOK, {"abc", "s1", "s2", 1}}, {ids::kInfoClearAll, nullptr, 0, IDOK, {"", "", "", 1}},
        {ids::kInfoClearAll, nullptr, 1, IDCANCEL, kept}, {ids::kInfoText, "neu", 0, IDCANCEL, kept}};
    for (const auto& c : cases) {
        for (const BOOL before : {FALSE, TRUE}) {
            dlg->m_rowInfo[6] = kept;
            // Modified before or not, as the history has it.
            dlg->StartNewHistory();
            if (before) dlg->ToggleSeparator(0);
            Run(6, [&](HWND h) {
                if (c.id) c.text ? SetItem(h, c.id, c.text) : Press(h, c.id);
                for (int i = 0; i < c.toggles; ++i) Press(h, ids::kInfoAutoOpen);
                Press(h, c.end);
            });
            EXPECT_EQ(dlg->m_rowInfo[6], c.stored);
            EXPECT_EQ(dlg->m_bModified, before || !(c.stored == kept)) << "modified before: " << before;
        }
    }
}

