// Linked rows: the link command with its two dialogs, where the values come
// from, the refresh with its steps, the companion file, and the message for
// a link path that is too long.
#include "links/LinksFixture.h"

TEST_F(LinksTest, LinkedInBothDialogsTheRowShowsTheCompanionWhileItExistsElseTheDocument) {
    const std::string companion = Path("Haushalt.pgw"), away = Path("Haushalt.weg"), live = "=;frisch=25.50;=;=;=;=;=;";
    EXPECT_EQ(LinkVia(0, doc, 1, IDOK), ">*" + kHaushalt) << "starting at A";
    EXPECT_TRUE(dlg->m_bModified) << "a new link is a change of the document";
    dlg->m_bModified = FALSE;
    const struct { const char* files; std::function<void()> change; std::string pick, row; } states[] = {
        {"document", [] {}, kHaushalt, "Essen|10.00"},
        {"both", [&] { WriteFileBytes(companion, "[B]\r\nName=frisch\r\nSumme=25.50\r\n"); }, live, "frisch|25.50"},
        {"document only", [&] { RemoveFile(companion); }, kHaushalt, "Essen|10.00"},
        {"neither", [&] { ::MoveFileA(doc.c_str(), away.c_str()); }, "=;=;=;=;=;=;=;", "|"},
        {"document back", [&] { ::MoveFileA(away.c_str(), doc.c_str()); }, kHaushalt, "Essen|10.00"}};
    for (const auto& s : states) {
        s.change();
        TickLinks();
        EXPECT_EQ(Text(ids::Goods(0)) + "|" + Text(ids::Price(0)), "[B] - [Haushalt]--> " + s.row) << s.files;
        // Linked again: the file dialog starts at the link, the pick dialog at A; its Cancel keeps the link.
        EXPECT_EQ(LinkVia(0, doc, 3, IDCANCEL), doc + ">*" + s.pick) << s.files;
    }
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(LinksTest, StepsWrapAndMarkTheDocumentTheTimerLeavesTheFlag) {
    const std::string tooLong = TestDir() + "\\" + std::string(280, 'x');
    for (int path = 0; path < 2; ++path) seams->AnswerBox(IDOK);
    // A row each: link, stored column, step (0: a timer tick); then each edit's text
    // with '+' when it is enabled, and the column.
    const struct { std::string link; int column, step; std::string after; } cases[] = {
        {"", 2, +1, "Milch+|+|2"}, {"", 2, 0, "Milch+|+|2"},
        {doc, 6, +1, "[A] - [Haushalt]--> Bad-|3.10-|0"}, {doc, 0, -1, "[G] - [Haushalt]--> Rest-|1234567.89-|6"},
        {doc, 6, -1, "[F] - [Haushalt]--> -|-|5"}, {doc, -1, 0, "[G] - [Haushalt]--> Rest-|1234567.89-|6"},
        {tooLong + ".pgx", 2, 0, "Milch+|+|2"}, {tooLong + "y.pgx", 2, +1, "Milch+|+|2"}};
    auto edit = [this](int id) { return Text(id) + (Enabled(id) ? "+" : "-"); };
    for (int r = 0; r < static_cast<int>(std::size(cases)); ++r) {
        const auto& c = cases[r];
        for (const BOOL before : {FALSE, TRUE}) {
            Type(ids::Goods(r), "Milch");
            dlg->m_rowLinkFile[r] = c.link;
            dlg->m_rowLinkColumn[r] = c.column;
            dlg->m_bModified = before;
            c.step ? dlg->RefreshLinkedRow(r, c.step) : TickLinks();
            EXPECT_EQ(edit(ids::Goods(r)) + "|" + edit(ids::Price(r)) + "|" + std::to_string(dlg->m_rowLinkColumn[r]),
                      c.after) << r;
            EXPECT_EQ(dlg->m_bModified, before || (c.step && !c.link.empty())) << r << " " << before;
        }
    }
    EXPECT_EQ(seams->boxes.at(1).text, "Der Zielpfad ist zu lang !!!") << "once per path, though read on every tick";
}

// What another instance sees of this one's columns: its pick dialog on the companion file.
TEST_F(LinksTest, CompanionIsWrittenOnTheFirstTickThenOnChangesOnlyAndDeletedByAPause) {
    const std::string aToF = ">*=0.00;=0.00;=0.00;=0.00;=0.00;=0.00;";
    const struct { const char* what; std::function<void()> change; std::string published; } steps[] = {
        {"first tick", [] {}, aToF + "=0.00;"},
        {"a pause", [&] { dlg->SetBackgroundActive(FALSE); dlg->SetBackgroundActive(TRUE); }, ">*=;=;=;=;=;=;=;"},
        // Row 4 linked without a column shows G, and G counts its sum of ten characters whole.
        {"a linked sum", [&] { dlg->m_rowLinkFile[4] = doc; TickLinks(); Click(ids::Selection(4, 6)); },
         aToF + "=1234567.89;"},
        {"a name", [&] { Type(ids::Name(6), "Urlaub"); }, aToF + "Urlaub=1234567.89;"}};
    for (const auto& s : steps) {
        s.change();
        TickSums();
        TickLinks();
        EXPECT_EQ(LinkVia(19, dlg->m_strCompanionPath, -1, IDCANCEL), s.published) << s.what;
    }
}

// The link tick keeps what it read while nothing tells a change: a file is
// read again when its time or size changes, and while it is so fresh that
// its time cannot tell (some file systems keep times in steps of seconds);
// a path is analysed again when its file comes or goes.
TEST_F(LinksTest, WhatTheTickKeepsGoesWithEveryChangeOfItsFile) {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    const ULARGE_INTEGER base{{now.dwLowDateTime, now.dwHighDateTime}};
    dlg->m_rowLinkFile[0] = doc;
    dlg->m_rowLinkColumn[0] = 1;
    // Each: a sum written with the same length or not, the file's time set
    // that many seconds back, and what the row shows after the next tick.
    const struct { const char* sum; int secondsAgo; const char* shown; } writes[] = {
        {"10.00", 3600, "10.00"}, {"11.00", 3600, "10.00"}, {"12.00", 3599, "12.00"},
        {"13.000", 3599, "13.000"}, {"14.00", 1, "14.00"}, {"15.00", 1, "15.00"}};
    for (const auto& w : writes) {
        WriteFileBytes(doc, std::string(kHaushaltIni).replace(std::string(kHaushaltIni).find("10.00"), 5, w.sum));
        const ULONGLONG t = base.QuadPart - static_cast<ULONGLONG>(w.secondsAgo) * 10'000'000;
        const FILETIME written{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        const HANDLE h = ::CreateFileA(doc.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ::SetFileTime(h, nullptr, nullptr, &written);
        ::CloseHandle(h);
        TickLinks();
        EXPECT_EQ(Text(ids::Price(0)), w.shown) << w.sum;
    }
    // Linked through a short name: the title is the long one while the file is there.
    ::CreateDirectoryA(Path("Ordner mit langem Namen").c_str(), nullptr);
    const std::string inside = Path("Ordner mit langem Namen\\Haushaltsplan.pgx");
    char shortPath[MAX_PATH] = {};
    for (const bool there : {true, false, true}) {
        there ? WriteFileBytes(inside, kHaushaltIni) : RemoveFile(inside);
        if (!*shortPath) ::GetShortPathNameA(inside.c_str(), shortPath, MAX_PATH);
        dlg->m_rowLinkFile[0] = shortPath;
        TickLinks();
        EXPECT_EQ(Text(ids::Goods(0)).find("[Haushaltsplan]") != std::string::npos, there) << Text(ids::Goods(0));
    }
    RemoveFile(inside);
}

static int g_ticks = 0, g_answered = 0;

// A person who answers a box of this program after looking at it for many
// tick periods. A thread timer: every message loop serves it, a box's too.
static void CALLBACK AnswerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    const HWND box = ::FindWindowA("#32770", "Tarvelo");
    if (++g_ticks % 40 == 0 && box) g_answered += ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// A real message box runs its own loop, which keeps delivering the timers.
TEST_F(LinksTest, TooLongMessageStaysAloneWhileItWaitsForItsAnswer) {
    dialogkit::TheSeams().messageBox = nullptr;
    g_ticks = g_answered = 0;
    dlg->m_rowLinkFile[7] = TestDir() + "\\" + std::string(280, 'x') + ".pgx";
    constexpr UINT kFastTickMs = 10;
    for (const UINT_PTR timer : {kLinkTimerId, kSumTimerId}) ::SetTimer(Wnd(), timer, kFastTickMs, nullptr);
    const UINT_PTR person = ::SetTimer(nullptr, 0, kFastTickMs, &AnswerBoxes);
    const DWORD start = ::GetTickCount();
    MSG msg;
    while (g_ticks < 200 && ::GetTickCount() - start < 30000 && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageA(&msg);
    }
    ::KillTimer(nullptr, person);
    EXPECT_EQ(g_answered, 1) << "one box, however long it waits, and never again for the same path";
}
