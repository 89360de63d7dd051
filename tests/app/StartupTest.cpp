// Start-up from every kind of command line, what the first paint starts,
// the ways the program ends, and the help button.
#include "grid/GridWindow.h"

class AppStartup : public GridWindowTest {
protected:
    void TearDown() override {
        GridWindowTest::TearDown();
        for (const char* name : {"\\Haushalt.PGX", "\\Liste.pgx", "\\notes.txt", "\\Unbenannt.pgx"}) {
            RemoveFile(TestDir() + name);
        }
    }
    // Kills both timers: true when both ran.
    bool TimersRan() const { return ::KillTimer(Wnd(), kSumTimerId) & ::KillTimer(Wnd(), kLinkTimerId); }
    static bool Quit() {
        MSG msg;
        return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
    }
};

TEST_F(AppStartup, DocumentsFromTheCommandLineAndTheFirstPaint) {
    WriteAnimationScript();
    WriteFileBytes(TestDir() + "\\Haushalt.PGX", "[LISTE]\r\nWare 01=Brot\r\nPreis01=2.50\r\n");
    WriteFileBytes(TestDir() + "\\Liste.pgx", "[A]\r\nName=Obst\r\n");
    // The command line, the title, then goods, price and name A and the total.
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"", "Unbenannt", "|||0.00"},
        {"\"" + TestDir() + "\\Haushalt.PGX\"", "Haushalt", "Brot|2.50||2.50"},
        {TestDir() + "\\Liste.pgw", "Liste", "||Obst|0.00"},
        {TestDir() + "\\Neu.pgx", "Neu", "|||0.00"}};
    for (const auto& [commandLine, title, content] : cases) {
        Open(commandLine);
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   " + title);
        EXPECT_FALSE(Quit() || dlg->m_bModified || TimersRan()) << "nothing runs before the first paint";
        for (int i = 0; i < ids::kRows * ids::kColumns; ++i) EXPECT_EQ(Text(ids::kSelectionBase + i), "") << i;
        EXPECT_EQ(Text(ids::kTotal), "");
        FirstPaint();
        EXPECT_TRUE(TimersRan()) << commandLine;
        EXPECT_EQ(dlg->m_bAnimRunning != FALSE, commandLine.empty()) << "the start-up animation only without a document";
        dlg->StopAnimation();
        TickSums();
        EXPECT_EQ(Text(ids::Goods(0)) + "|" + Text(ids::Price(0)) + "|" + Text(ids::Name(0)) + "|" + Text(ids::kTotal),
                  content);
        FirstPaint();
        EXPECT_FALSE(TimersRan() || dlg->m_bAnimRunning) << "later paints start nothing";
    }
    EXPECT_EQ(dlg->m_strExeDir + " " + TestApp().m_strConfigPath, TestDir() + "\\ " + TestDir() + "\\Tarvelo.pgk");
    EXPECT_FALSE(Exists(TestDir() + "\\Neu.pgx"));
}

TEST_F(AppStartup, AnythingButADocumentQuitsAtOnceWithoutWriting) {
    const std::string text = TestDir() + "\\notes.txt", tooLong = "Der Zielpfad ist zu lang !!!";
    WriteFileBytes(text, "hello");
    for (const auto& [commandLine, message] : std::vector<std::pair<std::string, std::string>>{
             {text, ""}, {TestDir(), ""}, {"\"\"", ""}, {"ohne Punkt", ""}, {TestDir() + "\\x.backup", ""},
             {TestDir() + "\\missing.doc", ""}, {std::string(1000, 'a'), tooLong}, {std::string(600, 'b') + ".pgx", tooLong}}) {
        if (!message.empty()) seams->AnswerBox(IDOK);
        Open(commandLine);
        EXPECT_TRUE(Quit()) << commandLine;
        EXPECT_EQ(seams->boxes.empty() ? "" : seams->boxes.back().text, message) << commandLine;
        seams->boxes.clear();
    }
    EXPECT_EQ(ReadFileBytes(text), "hello");
    EXPECT_FALSE(Exists(TestDir() + "\\notes.pgw") || Exists(".\\Unbenannt.pgw"));
}

TEST_F(AppStartup, EndingAsksOnlyWhenModifiedAndCancelKeepsTheWindow) {
    enum Way { kExit, kEnter, kCloseBox, kEscape };
    // The way, the answer to the save question (0: a document not modified), whether the program ends.
    const std::vector<std::tuple<Way, int, bool>> cases = {
        {kExit, 0, true},          {kEnter, 0, true},         {kCloseBox, 0, true},     {kEscape, 0, true},
        {kExit, IDCANCEL, false},  {kEnter, IDCANCEL, false}, {kEscape, IDCANCEL, false}, {kExit, IDYES, true},
        {kCloseBox, IDNO, true},   {kEscape, IDNO, true}};
    for (const auto& [way, answer, ends] : cases) {
        const std::string what = "way " + std::to_string(way) + ", answer " + std::to_string(answer);
        Open();
        FirstPaint();
        if (answer) Type(ids::Goods(0), "Milch");
        if (answer) seams->AnswerBox(answer);
        if (way == kExit) Click(IDOK);
        if (way == kCloseBox) ::SendMessageA(Wnd(), WM_CLOSE, 0, 0);
        if (way == kEnter || way == kEscape) Command(way == kEnter ? IDOK : IDCANCEL);
        ASSERT_EQ(seams->boxes.size(), answer ? 1u : 0u) << what;
        for (const ShownBox& box : seams->boxes) {
            EXPECT_EQ(box.text + " " + std::to_string(box.type), "\xC4nderungen in   .\\Unbenannt.pgx   speichern ? 3");
        }
        EXPECT_EQ(dlg->HasEnded(), ends) << what;
        EXPECT_TRUE(ends ? dlg->ModalResult() == (way <= kEnter ? IDOK : IDCANCEL) : TimersRan()) << what;
        EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx").find("Ware 01=Milch\r\n") != std::string::npos, answer == IDYES);
        RemoveFile(".\\Unbenannt.pgx");
        seams->boxes.clear();
    }
}

TEST_F(AppStartup, HelpOpensTheGuideBesideTheExe) {
    Open();
    Click(ids::kHelp);
    EXPECT_EQ(seams->shellOpened, std::vector<std::string>{TestDir() + "\\\\Info_Help.doc"});
}
