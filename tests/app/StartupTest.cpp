// Start-up from every kind of command line, and what the first paint starts.
#include "grid/GridWindow.h"

using AppStartup = GridWindowTest;

// (The ways to end, each with the save question, are in the document
// command tests.)
TEST_F(AppStartup, EveryKindOfCommandLineAndTheFirstPaint) {
    const auto quit = [] { MSG msg; return ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE; };
    const std::string at = TestDir() + "\\", tooLong = "Der Zielpfad ist zu lang !!!";
    WriteAnimationScript();
    const std::pair<const char*, const char*> files[] = {{"Haushalt.PGX", "[LISTE]\r\nWare 01=Brot\r\n"},
        {"Haushalt.PGW", "[LISTE]\r\nWare 01=Begleiter\r\n"}, {"Waise.pgw", "[LISTE]\r\nWare 01=Begleiter\r\n"},
        {"Liste.pgx", "[A]\r\nName=Obst\r\n"}, {"notes.txt", "hello"}, {"x.abcd", "[LISTE]\r\nWare 01=abcd\r\n"},
        {"Gesperrt.pgx", "[LISTE]\r\nWare 01=unerreichbar\r\n"}};
    for (const auto& [name, bytes] : files) WriteFileBytes(at + name, bytes);
    // Another program holds this one open and shares nothing.
    const HANDLE holder = ::CreateFileA((at + "Gesperrt.pgx").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    // The command line; the title, row 01 and column A's name it opens with,
    // and the message (if any) shown before; without a title the program ends.
    const struct { std::string commandLine, title{}, goods{}, nameA{}, message{}; } cases[] = {
        {"", "Unbenannt"}, {"\"" + at + "Haushalt.PGX\"", "Haushalt", "Brot"}, {at + "Liste.pgw", "Liste", "", "Obst"},
        {at + "Neu.pgx", "Neu"}, {at + "Waise.pgw", "Waise"}, {at + "Haushalt.PGW", "Haushalt", "Brot"}, {at + "x.abcd"}, {at + "notes.txt"},
        {at}, {"\"\""}, {"ohne Punkt"}, {at + "x.backup"}, {at + "missing.doc"},
        {std::string(1000, 'a'), "", "", "", tooLong}, {std::string(600, 'b') + ".pgx", "", "", "", tooLong},
        {at + "Gesperrt.pgx", "Unbenannt", "", "", "Die Datei   " + at + "Gesperrt.pgx   konnte nicht gelesen werden !"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        if (!c.message.empty()) seams->AnswerBox(IDOK);
        Open(c.commandLine);
        EXPECT_EQ(quit(), c.title.empty());
        EXPECT_EQ(Shown(), c.message.empty() ? std::vector<Box>{} : std::vector<Box>{{c.message}});
        seams->boxes.clear();
        if (c.title.empty()) continue;
        EXPECT_EQ(WindowTitle(), "Tarvelo   -   " + c.title);
        EXPECT_EQ(std::pair(Text(ids::Goods(0)), Text(ids::Name(0))), std::pair(c.goods, c.nameA));
        // Nothing before the first paint: no change, no timer, no sums.
        EXPECT_TRUE(!dlg->m_bModified && !TimersRunning() && Text(ids::kTotal).empty());
        FirstPaint();
        EXPECT_TRUE(TimersRunning());
        EXPECT_EQ(dlg->m_bAnimRunning != FALSE, c.title == "Unbenannt") << "the start-up animation without a document";
    }
    ::CloseHandle(holder);
    EXPECT_EQ(ReadFileBytes(at + "notes.txt"), "hello");
    EXPECT_FALSE(Exists(at + "Neu.pgx") || Exists(at + "Waise.pgx") || Exists(at + "notes.pgw") || Exists(".\\Unbenannt.pgw"));
    for (const auto& [name, bytes] : files) RemoveFile(at + name);
}
