// Start-up from every kind of command line, what the first paint starts,
// and the ways the program ends: a modified document asks first, Escape
// too, and Cancel keeps the window.
#include "grid/GridWindow.h"

using AppStartup = GridWindowTest;

TEST_F(AppStartup, TheEndCommandLinesAndTheFirstPaint) {
    enum Way { kExit, kEnter, kCloseBox, kEscape };
    // The way, the answer to the save question (0: not modified, no question), whether the program ends.
    for (const auto& [way, answer, ends] : std::vector<std::tuple<Way, int, bool>>{
             {kExit, 0, true}, {kEnter, 0, true}, {kCloseBox, 0, true}, {kEscape, 0, true}, {kExit, IDCANCEL, false},
             {kEnter, IDCANCEL, false}, {kEscape, IDCANCEL, false}, {kCloseBox, IDNO, true}, {kEscape, IDNO, true}}) {
        Open();
        FirstPaint();
        if (answer) Type(ids::Goods(0), "Milch");
        if (answer) seams->AnswerBox(answer);
        if (way == kExit) Click(IDOK);
        if (way == kCloseBox) ::SendMessageA(Wnd(), WM_CLOSE, 0, 0);
        if (way == kEnter || way == kEscape) Command(way == kEnter ? IDOK : IDCANCEL);
        for (const ShownBox& b : seams->boxes) EXPECT_EQ(b.text, "\xC4nderungen in   .\\Unbenannt.pgx   speichern ?");
        EXPECT_EQ(seams->boxes.size() + (answer ? seams->boxes.at(0).type : 0), answer ? 1u + MB_YESNOCANCEL : 0u);
        EXPECT_EQ(dlg->HasEnded(), ends) << way << " " << answer;
        EXPECT_TRUE(ends ? dlg->ModalResult() == (way <= kEnter ? IDOK : IDCANCEL) : ::KillTimer(Wnd(), kSumTimerId));
        EXPECT_FALSE(Exists(".\\Unbenannt.pgx")) << "nothing saved";
        seams->boxes.clear();
    }
    const auto quit = [] { MSG msg; return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE; };
    const auto timersRan = [&] { return ::KillTimer(Wnd(), kSumTimerId) & ::KillTimer(Wnd(), kLinkTimerId); };
    const std::string at = TestDir() + "\\", tooLong = "Der Zielpfad ist zu lang !!!";
    WriteAnimationScript();
    WriteFileBytes(at + "Haushalt.PGX", "[LISTE]\r\nWare 01=Brot\r\n");
    WriteFileBytes(at + "Liste.pgx", "[A]\r\nName=Obst\r\n");
    WriteFileBytes(at + "notes.txt", "hello");
    // The command line, then the title with goods and name A, or the message before a silent end.
    for (const auto& [commandLine, shown] : std::vector<std::pair<std::string, std::string>>{
             {"", "Unbenannt||"}, {"\"" + at + "Haushalt.PGX\"", "Haushalt|Brot|"}, {at + "Liste.pgw", "Liste||Obst"},
             {at + "Neu.pgx", "Neu||"}, {at + "notes.txt", ""}, {at, ""}, {"\"\"", ""}, {"ohne Punkt", ""},
             {at + "x.backup", ""}, {at + "missing.doc", ""}, {std::string(1000, 'a'), tooLong},
             {std::string(600, 'b') + ".pgx", tooLong}}) {
        if (shown == tooLong) seams->AnswerBox(IDOK);
        Open(commandLine);
        const bool document = shown.find('|') != std::string::npos;
        EXPECT_EQ(quit(), !document) << commandLine;
        EXPECT_EQ(seams->boxes.empty() ? "" : seams->boxes.back().text, document ? "" : shown) << commandLine;
        seams->boxes.clear();
        if (!document) continue;
        EXPECT_EQ(WindowTitle() + "|" + Text(ids::Goods(0)) + "|" + Text(ids::Name(0)), "Tarvelo   -   " + shown);
        EXPECT_FALSE(dlg->m_bModified || timersRan() || !Text(ids::kTotal).empty()) << "nothing before the first paint";
        FirstPaint();
        EXPECT_TRUE(timersRan()) << commandLine;
        EXPECT_EQ(dlg->m_bAnimRunning != FALSE, commandLine.empty()) << "the start-up animation without a document";
    }
    EXPECT_EQ(ReadFileBytes(at + "notes.txt"), "hello");
    EXPECT_FALSE(Exists(at + "Neu.pgx") || Exists(at + "notes.pgw") || Exists(".\\Unbenannt.pgw"));
    for (const char* name : {"Haushalt.PGX", "Liste.pgx", "notes.txt"}) RemoveFile(at + name);
}
