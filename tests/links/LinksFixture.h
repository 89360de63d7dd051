#pragma once
// Shared by the row info and linked-row tests: the main dialog open, dialogs
// worked as a person would, and a saved document for rows to link to.
#include "support/Harness.h"

inline std::string ItemText(HWND h, int id) { return dialogkit::WindowText(::GetDlgItem(h, id), 4096); }
inline void SetItem(HWND h, int id, const std::string& text) { ::SetDlgItemTextA(h, id, text.c_str()); }
inline void Press(HWND h, int id) { ::SendDlgItemMessageA(h, id, BM_CLICK, 0, 0); }

// Haushalt.pgx as saved, and its columns A..G as the pick dialog shows them
// ("name=sum;" each). Its column G holds a sum of ten characters.
inline const char* const kHaushaltIni =
    "[A]\r\nName=Bad\r\nSumme=3.10\r\n[B]\r\nName=Essen\r\nSumme=10.00\r\n[G]\r\nName=Rest\r\nSumme=1234567.89\r\n";
inline const std::string kHaushalt = "Bad=3.10;Essen=10.00;=;=;=;=;Rest=1234567.89;";

class LinksTest : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        Open();
        FirstPaint();
        dlg->m_bModified = FALSE;
        WriteFileBytes(doc, kHaushaltIni);
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        for (const std::string& path : m_paths) RemoveFile(path);
    }
    // A file in the test folder, which is the working folder; removed after the test.
    std::string Path(const std::string& name) { return m_paths.emplace_back(TestDir() + "\\" + name); }
    // The link command, its file dialog answered with `file`, its pick dialog
    // by pressing the button of `column` (none for -1) and then `end`. What
    // they showed: the file dialog's initial name, then the pick dialog's
    // columns with a '*' before the one pressed down.
    std::string LinkVia(int row, const std::string& file, int column, int end) {
        seams->AnswerFile(file);
        std::string shown;
        seams->AnswerModal([&](dialogkit::Dialog& d) {
            return DriveModeless(d, Wnd(), [&](HWND h) {
                for (int c = 0; c < ids::kColumns; ++c) {
                    if (::IsDlgButtonChecked(h, ids::kPickChoiceBase + c)) shown += "*";
                    shown += ItemText(h, ids::kPickNameBase + c) + "=" + ItemText(h, ids::kPickSumBase + c) + ";";
                }
                if (column >= 0) Press(h, ids::kPickChoiceBase + column);
                Press(h, end);
            });
        });
        dlg->LinkRow(row);
        return seams->fileRequests.back().initialName + ">" + shown;
    }
    std::vector<std::string> m_paths;
    const std::string doc = Path("Haushalt.pgx");
};
