// Linked rows: where the values come from, the refresh with its steps, the
// companion file, and the message for a link path that is too long. (The
// link command itself is in the key table.)
#include "links/LinksFixture.h"

TEST_F(LinksTest, StepsWrapAndMarkTheDocumentTheTimerLeavesTheFlag) {
    const std::string tooLong = TestDir() + "\\" + std::string(280, 'x');
    for (int path = 0; path < 2; ++path) seams->AnswerBox(IDOK);
    // While a box waits for its answer no sums are worked out: a button set then is summed after it.
    Type(ids::Price(10), "5");
    std::vector<std::string> sumWhileShown;
    seams->whileShown = [&] { dlg->SelectionButtonState(10, 0, 1); TickSums(); Pump(); sumWhileShown.push_back(Text(ids::Sum(0))); };
    const RowView typed{"Milch", "", "", "", false, 2};
    // A row each: its link and stored column, the step after a tick (0: none), what it shows then.
    const struct { std::string link; int column, step; RowView shown; } cases[] = {
        {"", 2, +1, typed},
        {"", 2, 0, typed},
        {doc, 6, +1, {"[A] - [Haushalt]--> Bad", "3.10", "", "", true, 0}},
        {doc, 0, -1, {"[G] - [Haushalt]--> Rest", "1234567.89", "", "", true, 6}},
        {doc, 6, -1, {"[F] - [Haushalt]--> ", "", "", "", true, 5}},
        {doc, -1, 0, {"[G] - [Haushalt]--> Rest", "1234567.89", "", "", true, 6}},
        {tooLong + ".pgx", 2, 0, typed},
        {tooLong + "y.pgx", 2, +1, typed}};
    for (int r = 0; r < static_cast<int>(std::size(cases)); ++r) {
        const auto& c = cases[r];
        for (const BOOL before : {FALSE, TRUE}) {
            Type(ids::Goods(r), "Milch");
            dlg->m_rowLinkFile[r] = c.link;
            dlg->m_rowLinkColumn[r] = c.column;
            dlg->m_bModified = before;
            Tick();
            if (c.step) dlg->RefreshLinkedRow(r, c.step);
            EXPECT_EQ(Row(r), c.shown) << "row " << r;
            EXPECT_EQ(dlg->m_bModified, before || (c.step && !c.link.empty())) << "row " << r << " modified before: " << before;
        }
    }
    EXPECT_EQ(seams->boxes.at(1).text, "Der Zielpfad ist zu lang !!!") << "once per path, though looked at on every tick";
    EXPECT_EQ(sumWhileShown.at(0), "0.00") << "column A";
    Pump();
    EXPECT_EQ(Text(ids::kTotal), "2469143.88") << "5 and the linked 3.10, 1234567.89 and 1234567.89";
    // A step before the link's folder was looked at is kept, and shows with the look.
    const std::string later = Path("Spaeter.pgx");
    WriteFileBytes(later, kHaushaltIni);
    dlg->m_rowLinkFile[19] = later;
    dlg->RefreshLinkedRow(19, +1);
    Tick();
    EXPECT_EQ(Row(19), (RowView{"[A] - [Spaeter]--> Bad", "3.10", "", "", true, 0}));
}

// Each document read shows its links at once, also the second one read
// into a folder the workers already watch; and a write of the companion
// file keeps what another program added to it.
TEST_F(LinksTest, EveryDocumentReadShowsItsLinksAndTheCompanionKeepsOthersLines) {
    for (const char* name : {"Erste.pgx", "Zweite.pgx"}) {
        const std::string path = Path(name);
        WriteFileBytes(path, "[SHARED]\r\nColumn=1///////////////////\r\nFile 01=" + doc + "\r\n");
        ASSERT_TRUE(dlg->OpenDocumentFile(path)) << name;
        Tick();
        EXPECT_EQ(ItemText(Wnd(), ids::Price(0)), "10.00") << name;
    }
    Path("Zweite.pgw");
    WriteFileBytes(dlg->m_strCompanionPath, ReadFileBytes(dlg->m_strCompanionPath) + "[Notiz]\r\nVon=Hand\r\n");
    Type(ids::Name(0), "Obst");
    Pump();
    EXPECT_TRUE(dlg->m_companion->WaitUntilIdle(5000));
    EXPECT_NE(ReadFileBytes(dlg->m_strCompanionPath).find("[Notiz]\r\nVon=Hand"), std::string::npos);
}

// A document open in two windows: each keeps its companion file there while
// it runs, and removes only what it wrote itself.
TEST_F(LinksTest, TwoWindowsOnOneDocumentNeverTakeEachOthersCompanionFile) {
    const std::string companion = Path("Haushalt.pgw"), untitled = Path("Unbenannt.pgw");
    Tick();
    ASSERT_TRUE(Exists(untitled));
    // Another window opened on a document leaves this untitled one's file alone.
    auto other = std::make_unique<CPriceListDlg>();
    TestApp().SetCommandLine(doc);
    ASSERT_NE(other->CreateModeless(), nullptr);
    EXPECT_TRUE(Exists(untitled)) << "started on a document";
    ::SendMessageA(other->GetSafeHwnd(), WM_PAINT, 0, 0);
    ASSERT_TRUE(dlg->OpenDocumentFile(doc));
    Tick();
    Tick(*other);
    EXPECT_FALSE(Exists(untitled)) << "removed by the window that wrote it";
    const auto typed = [&](CPriceListDlg& d, const char* price) {
        d.SetItemText(ids::Price(0), price);
        d.SelectionButtonState(0, 0, BST_CHECKED);
        ::SendMessageA(d.GetSafeHwnd(), WM_TIMER, kSumTimerId, 0);
        Tick(d);
    };
    // The same values in both: a pause of one removes the file, the other writes it again at its next tick.
    // Held off by another program a moment, the removal is tried again at the next tick.
    const HANDLE holder = ::CreateFileA(companion.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    dlg->SetBackgroundActive(FALSE);
    EXPECT_TRUE(dlg->m_companion->WaitUntilIdle(5000));
    const bool heldOff = Exists(companion);
    ::CloseHandle(holder);
    Tick();
    EXPECT_EQ(std::pair(heldOff, Exists(companion)), std::pair(true, false)) << "both had written the same";
    Tick(*other);
    EXPECT_TRUE(Exists(companion)) << "back within one tick of the other window";
    dlg->SetBackgroundActive(TRUE);
    // Other values written later: the window that wrote first leaves them, paused or ended.
    typed(*dlg, "3.00");
    typed(*other, "7.00");
    dlg->SetBackgroundActive(FALSE);
    dlg.reset();
    // The later window's values stay, the file naming its writer.
    EXPECT_TRUE(ReadFileBytes(companion).find("Summe=7.00") != std::string::npos &&
                ReadFileBytes(companion).find("Prozess=" + WriterTag(ThisWriter())) != std::string::npos);
    other->SetBackgroundActive(FALSE);
    EXPECT_TRUE(other->m_companion->WaitUntilIdle(5000));
    EXPECT_FALSE(Exists(companion)) << "removed by the window that wrote it last";
    other.reset();
    TestApp().SetCommandLine("");
}

// What a link worker keeps while nothing tells a change: a file is read
// again when its time or size changes, and until they have stayed the same
// for a few seconds of the reader's own clock, whatever the file's time
// says (another computer's clock may be far behind); whether a companion
// file is believed.
TEST_F(LinksTest, WhatTheWorkersKeepGoesWithEveryChangeOfItsFile) {
    uint64_t now = 133'500'000'000'000'000ULL;
    LinkSources sources([&] { return now; });
    const uint64_t serverTime = now - 3600ULL * 10'000'000;
    const std::string companion = Path("Haushalt.pgw"), self = WriterTag(ThisWriter()), away = WriterTag({"ANDERSWO", 1, 1});
    const auto saved = [](const char* sum) { return std::string(kHaushaltIni).replace(std::string(kHaushaltIni).find("10.00"), 5, sum); };
    const auto live = [](const std::string& writer, const char* writes) {
        return "[B]\r\nSumme=25.50\r\n[Schreiber]\r\nProzess=" + writer + "\r\nStand=" + writes + "\r\n";
    };
    // Each: a file written, its time set by a clock an hour behind; the
    // seconds the reader's clock moved on since the last look; the sum then
    // shown. A companion file is believed while its writer lives: a process
    // of this computer while it runs, another computer's while it keeps
    // changing the file; one that names no writer, always.
    const struct { const std::string& file; std::string bytes; int later; const char* shown; } writes[] = {
        {doc, saved("10.00"), 0, "10.00"}, {doc, saved("11.00"), 1, "11.00"}, {doc, saved("12.00"), 3, "11.00"},
        {doc, saved("13.000"), 0, "13.000"}, {doc, saved("14.000"), 2, "14.000"}, {companion, live("", ""), 0, "25.50"},
        {companion, live(self, "1"), 60, "25.50"}, {companion, live(away, "1"), 0, "25.50"}, {companion, live(away, "1"), 29, "25.50"},
        {companion, live(away, "1"), 2, "14.000"}, {companion, live(away, "10"), 1, "25.50"}};
    for (const auto& w : writes) {
        WriteFileBytes(w.file, w.bytes);
        const FILETIME written{static_cast<DWORD>(serverTime), static_cast<DWORD>(serverTime >> 32)};
        const HANDLE h = ::CreateFileA(w.file.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ::SetFileTime(h, nullptr, nullptr, &written);
        ::CloseHandle(h);
        now += static_cast<uint64_t>(w.later) * 10'000'000;
        EXPECT_EQ(sources.Columns(doc, *SplitDocumentPath(doc))[1].strSum, w.shown) << w.bytes << " after " << w.later << " s";
    }
}

// A window starts beside an instance of this computer that publishes an
// unsaved 9.00. Links found before the window shows (as those of a document
// from the command line) show with the first paint, their message too, not
// before. The other instance is killed: its file stays, and the window
// shows the saved document from its next look on.
TEST_F(LinksTest, NothingShowsBeforeTheWindowNorAfterItsWriterCrashed) {
    const std::string companion = Path("Haushalt.pgw"), tooLong = TestDir() + "\\" + std::string(280, 'x') + ".pgx";
    char program[MAX_PATH] = {};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(::GetModuleFileNameA(nullptr, program, MAX_PATH) && ::CreateProcessA(program, nullptr, nullptr, nullptr,
                                     FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup, &child));
    const std::string writer = WriterTag(WriterOfProcess(child.hProcess, child.dwProcessId));
    WriteFileBytes(companion, "[B]\r\nName=offen\r\nSumme=9.00\r\n[Schreiber]\r\nProzess=" + writer + "\r\nStand=1\r\n");
    seams->AnswerBox(IDOK);
    Open();
    dlg->m_rowLinkFile = {tooLong, doc};
    dlg->m_rowLinkColumn[1] = 1;
    dlg->m_linkWatch->Look({tooLong, doc});
    for (MSG m; !::PeekMessageA(&m, Wnd(), WM_APP_LINKS, WM_APP_LINKS, PM_NOREMOVE);) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, INFINITE, QS_POSTMESSAGE);
    }
    PumpUntil([passes = 0]() mutable { return passes++ > 0; });
    const std::pair before(Shown(), Row(1));
    FirstPaint();
    EXPECT_TRUE(PumpUntil([&] { return !Shown().empty(); }));
    const RowView live = Row(1);
    ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    for (HANDLE h : {child.hThread, child.hProcess}) ::CloseHandle(h);
    Tick();
    EXPECT_EQ(before, std::pair(std::vector<Box>{}, RowView{"", "", "", "", false, 1}));
    EXPECT_EQ(std::pair(Shown(), live), std::pair(std::vector<Box>{{"Der Zielpfad ist zu lang !!!"}},
                                                  RowView{"[B] - [Haushalt]--> offen", "9.00", "", "", true, 1}));
    // A reader never deletes another's file.
    EXPECT_EQ(std::pair(Row(1), Exists(companion)), std::pair(RowView{"[B] - [Haushalt]--> Essen", "10.00", "", "", true, 1}, true));
}
