// Start-up: paths, the window title, the first paint and the command line.
#include "support/Harness.h"

#include "document/DocumentKeys.h"

TEST(AppPaths, ExeDirAndConfigFromHelpPath) {
    EXPECT_EQ(ExeDirFromHelpPath("C:\\Programme\\Tarvelo\\Tarvelo.HLP", "Tarvelo"), "C:\\Programme\\Tarvelo\\");
    EXPECT_EQ(ExeDirFromHelpPath("C:\\x\\Tarvelo.hlp  ", "Tarvelo"), "C:\\x\\");
    EXPECT_EQ(ExeDirFromHelpPath("D:\\Tool.HLP", "Tool"), "D:\\");
    const dialogkit::ModuleNames names = dialogkit::ModuleNamesFromPath("C:\\a.b\\Tarvelo.exe");
    EXPECT_EQ(names.name, "Tarvelo");
    EXPECT_EQ(names.helpPath, "C:\\a.b\\Tarvelo.HLP");
    EXPECT_EQ(TestApp().m_strConfigPath, TestDir() + "\\Tarvelo.pgk");
}

class AppStartup : public MainDialogTest {};

TEST_F(AppStartup, UntitledDocumentAndEmptyFields) {
    Open();
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Unbenannt");
    EXPECT_EQ(dlg->m_strDocPath, ".\\Unbenannt.pgx");
    EXPECT_EQ(dlg->m_strCompanionPath, ".\\Unbenannt.pgw");
    EXPECT_EQ(dlg->m_strExeDir, TestDir() + "\\");
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bStartupPending);
    EXPECT_TRUE(dlg->m_bPublishPending);
    for (int row = 0; row < ids::kRows; ++row) {
        EXPECT_EQ(Text(ids::Goods(row)), "");
        EXPECT_EQ(Text(ids::Price(row)), "");
        EXPECT_EQ(dlg->m_rowLinkColumn[row], -1);
        EXPECT_EQ(dlg->m_rowInfo[row].nAutoOpen, 1);
        for (int column = 0; column < ids::kColumns; ++column) {
            EXPECT_EQ(Text(ids::Selection(row, column)), "") << "template numbers are cleared";
        }
    }
    // Nothing is computed before the first paint starts the timers.
    EXPECT_EQ(Text(ids::kTotal), "");
    FirstPaint();
    EXPECT_FALSE(dlg->m_bFirstPaint);
    EXPECT_EQ(dlg->m_nSumTimer, kSumTimerId);
    EXPECT_EQ(dlg->m_nLinkTimer, kLinkTimerId);
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "0.00");
    for (int column = 0; column < ids::kColumns; ++column) EXPECT_EQ(Text(ids::Sum(column)), "0.00");
}

TEST_F(AppStartup, DialogUnitsMeasureAsOnWindows) {
    // A prefix that falls back to another font would shift every pixel.
    Open();
    RECT r{0, 0, 4, 8};
    ::MapDialogRect(Wnd(), &r);
    EXPECT_EQ(r.right, 6);
    EXPECT_EQ(r.bottom, 13);
}

TEST_F(AppStartup, QuotedDocumentWithCapitalExtensionOpensWithoutAnimation) {
    const std::string path = TestDir() + "\\Haushalt.PGX";
    WriteFileBytes(path, "[LISTE]\r\nWare 01=Brot\r\nPreis01=2.50\r\n");
    Open("\"" + path + "\"");
    EXPECT_EQ(Text(ids::Goods(0)), "Brot");
    EXPECT_EQ(Text(ids::Price(0)), "2.50");
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Haushalt");
    EXPECT_FALSE(dlg->m_bStartupPending) << "no start-up animation";
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_TRUE(dlg->m_bPublishPending);
    MSG msg;
    EXPECT_FALSE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    RemoveFile(path);
}

TEST_F(AppStartup, CompanionPathOpensItsDocument) {
    const std::string doc = TestDir() + "\\Liste.pgx";
    WriteFileBytes(doc, "[A]\r\nName=Obst\r\n");
    Open(TestDir() + "\\Liste.pgw");
    EXPECT_EQ(dlg->m_strDocPath, doc);
    EXPECT_EQ(Text(ids::Name(0)), "Obst");
    RemoveFile(doc);
}

TEST_F(AppStartup, MissingDocumentOpensEmptyUnderItsName) {
    Open(TestDir() + "\\Neu.pgx");
    EXPECT_EQ(WindowTitle(), "Tarvelo   -   Neu");
    EXPECT_FALSE(Exists(TestDir() + "\\Neu.pgx"));
}

// Anything that is not a document ends the program at once, silently, and
// writes nothing.
TEST_F(AppStartup, NonDocumentCommandLinesQuit) {
    const std::string text = TestDir() + "\\notes.txt";
    WriteFileBytes(text, "hello");
    for (const std::string& commandLine : {text, TestDir(), std::string("\"\""), std::string("ohne Punkt"),
                                           TestDir() + "\\x.backup", TestDir() + "\\missing.doc"}) {
        Open(commandLine);
        MSG msg;
        EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << commandLine;
        EXPECT_TRUE(seams->boxes.empty()) << commandLine;
        dlg.reset();
    }
    EXPECT_EQ(ReadFileBytes(text), "hello");
    EXPECT_FALSE(Exists(TestDir() + "\\notes.pgw"));
    EXPECT_FALSE(Exists(".\\Unbenannt.pgw"));
    RemoveFile(text);
}

TEST_F(AppStartup, OverlongPathsSayTooLongAndQuit) {
    // A path that cannot be a file name: the message, then the end, as for
    // any path that is not a document; no crash and no file.
    for (const std::string& commandLine : {std::string(1000, 'a'), std::string(600, 'b') + ".pgx"}) {
        seams->AnswerBox(IDOK);
        Open(commandLine);
        ASSERT_FALSE(seams->boxes.empty());
        EXPECT_EQ(seams->boxes.back().text, "Der Zielpfad ist zu lang !!!");
        MSG msg;
        EXPECT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
        dlg.reset();
    }
}
