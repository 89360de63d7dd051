#pragma once
// Shared by the row info and linked-row tests: the main dialog open, dialogs
// worked as a person would, a saved document for rows to link to, and link
// ticks whose looks are answered before the test goes on.
#include "links/CompanionWriter.h"
#include "links/LinkWatch.h"
#include "support/Harness.h"

inline std::string ItemText(HWND h, int id) { return dialogkit::WindowText(::GetDlgItem(h, id), 4096); }
inline void SetItem(HWND h, int id, const std::string& text) { ::SetDlgItemTextA(h, id, text.c_str()); }
inline void Press(HWND h, int id) { ::SendDlgItemMessageA(h, id, BM_CLICK, 0, 0); }

// Haushalt.pgx as saved. Its column G holds a sum of ten characters.
inline const char* const kHaushaltIni =
    "[A]\r\nName=Bad\r\nSumme=3.10\r\n[B]\r\nName=Essen\r\nSumme=10.00\r\n[G]\r\nName=Rest\r\nSumme=1234567.89\r\n";

class LinksTest : public MainDialogTest {
protected:
    void SetUp() override {
        // A file changes only when the test says so, however slow the machine.
        CompanionWriter::refreshMs = INFINITE;
        MainDialogTest::SetUp();
        Open();
        FirstPaint();
        dlg->m_bModified = FALSE;
        WriteFileBytes(doc, kHaushaltIni);
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        CompanionWriter::refreshMs = CompanionWriter::kRefreshMs;
        for (const std::string& path : m_paths) RemoveFile(path);
    }
    // A file in the test folder, which is the working folder; removed after the test.
    std::string Path(const std::string& name) { return m_paths.emplace_back(TestDir() + "\\" + name); }
    // One link tick of a dialog, once its workers have answered every look
    // it asked for, and with the companion file written.
    static void Tick(CPriceListDlg& d) {
        ::SendMessageA(d.GetSafeHwnd(), WM_TIMER, kLinkTimerId, 0);
        EXPECT_TRUE(PumpUntil([&d] { return d.m_linkWatch->Settled(); })) << "the link workers did not answer";
        EXPECT_TRUE(d.m_companion->WaitUntilIdle(5000)) << "the companion file was not written";
    }
    void Tick() const { Tick(*dlg); }

    std::vector<std::string> m_paths;
    const std::string doc = Path("Haushalt.pgx");
};
