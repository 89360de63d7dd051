// Start-up from every kind of command line, and what the first paint starts.
#include "grid/GridWindow.h"

using AppStartup = GridWindowTest;

// (The ways to end, each with the save question, are in the document
// command tests.)
TEST_F(AppStartup, EveryKindOfCommandLineAndTheFirstPaint) {
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
