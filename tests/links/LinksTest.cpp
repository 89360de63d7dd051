// Linked rows: the link command with its two dialogs, where the values come
// from, the refresh with its steps, the companion file, and the message for
// a link path that is too long.
#include "links/LinksFixture.h"

TEST_F(LinksTest, LinkedInBothDialogsTheRowShowsTheCompanionWhileItExistsElseTheDocument) {
    const std::string companion = Path("Haushalt.pgw"), away = Path("Haushalt.weg");
    const PublishedColumns live{{{}, {"frisch", "25.50"}, {}, {}, {}, {}, {}}};
    EXPECT_EQ(LinkVia(0, doc, 1, IDOK), (Offer{"", 0, kHaushalt})) << "the pick dialog starts at A";
    EXPECT_TRUE(dlg->m_bModified) << "a new link is a change of the document";
    dlg->m_bModified = FALSE;
    const struct { const char* files; std::function<void()> change; PublishedColumns offered; PublishedColumn row; } states[] = {
        {"document", [] {}, kHaushalt, {"Essen", "10.00"}},
        {"both", [&] { WriteFileBytes(companion, "[B]\r\nName=frisch\r\nSumme=25.50\r\n"); }, live, {"frisch", "25.50"}},
        {"document only", [&] { RemoveFile(companion); }, kHaushalt, {"Essen", "10.00"}},
        {"neither", [&] { ::MoveFileA(doc.c_str(), away.c_str()); }, kNoColumns, {"", ""}},
        {"document back", [&] { ::MoveFileA(away.c_str(), doc.c_str()); }, kHaushalt, {"Essen", "10.00"}}};
    for (const auto& s : states) {
        s.change();
        Tick();
        EXPECT_EQ(Row(0), (RowView{"[B] - [Haushalt]--> " + s.row.strName, s.row.strSum, "", "", true, 1})) << s.files;
        // Linked again: the file dialog starts at the link, the pick dialog at A; its Cancel keeps the link.
        EXPECT_EQ(LinkVia(0, doc, 3, IDCANCEL), (Offer{doc, 0, s.offered})) << s.files;
    }
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(LinksTest, StepsWrapAndMarkTheDocumentTheTimerLeavesTheFlag) {
    const std::string tooLong = TestDir() + "\\" + std::string(280, 'x');
    for (int path = 0; path < 2; ++path) seams->AnswerBox(IDOK);
    // While a box waits for its answer no timer work runs: the price is not summed then.
    Type(ids::Price(10), "5");
    std::string totalWhileShown = "(no box)";
    seams->whileShown = [&] { TickSums(); totalWhileShown = Text(ids::kTotal); };
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
    EXPECT_EQ(totalWhileShown, "");
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "2469143.88") << "5 and the linked 3.10, 1234567.89 and 1234567.89";
    // A step before the link's folder was looked at is kept, and shows with the look.
    const std::string later = Path("Spaeter.pgx");
    WriteFileBytes(later, kHaushaltIni);
    dlg->m_rowLinkFile[19] = later;
    dlg->RefreshLinkedRow(19, +1);
    Tick();
    EXPECT_EQ(Row(19), (RowView{"[A] - [Spaeter]--> Bad", "3.10", "", "", true, 0}));
}

// What another instance sees of this one's columns: its pick dialog on the companion file.
TEST_F(LinksTest, CompanionIsWrittenOnceThenOnChangesAndBackAfterEveryPause) {
    const PublishedColumn zero{"", "0.00"};
    const PublishedColumns zeros{{zero, zero, zero, zero, zero, zero, zero}};
    PublishedColumns withSum = zeros, withName = zeros;
    withSum[6] = {"", "1234567.89"};
    withName[6] = {"Urlaub", "1234567.89"};
    const struct { const char* what; std::function<void()> change; bool written; PublishedColumns published; } steps[] = {
        {"the first tick", [] {}, true, zeros},
        {"a tick without a change", [] {}, false, zeros},
        {"a double-click's pause", [&] { ::SendMessageA(Wnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(1, 1)); }, true, zeros},
        // Row 4 linked without a column shows G, and G counts its sum of ten characters whole.
        {"a linked sum", [&] { dlg->m_rowLinkFile[4] = doc; Tick(); Click(ids::Selection(4, 6)); }, true, withSum},
        {"a name", [&] { Type(ids::Name(6), "Urlaub"); }, true, withName}};
    for (const auto& s : steps) {
        RemoveFile(dlg->m_strCompanionPath);
        s.change();
        // Written as soon as the sums are worked out, no link tick needed.
        TickSums();
        EXPECT_TRUE(dlg->m_companion->WaitUntilIdle(5000));
        EXPECT_EQ(Exists(dlg->m_strCompanionPath), s.written) << s.what;
        Tick();
        EXPECT_EQ(Published(), s.published) << s.what;
    }
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
    dlg->SetBackgroundActive(FALSE);
    EXPECT_TRUE(dlg->m_companion->WaitUntilIdle(5000));
    EXPECT_FALSE(Exists(companion)) << "both had written the same";
    Tick(*other);
    EXPECT_TRUE(Exists(companion)) << "back within one tick of the other window";
    dlg->SetBackgroundActive(TRUE);
    // Other values written later: the window that wrote first leaves them, paused or ended.
    typed(*dlg, "3.00");
    typed(*other, "7.00");
    dlg->SetBackgroundActive(FALSE);
    dlg.reset();
    EXPECT_NE(ReadFileBytes(companion).find("Summe=7.00"), std::string::npos) << "the later window's values stay";
    other->SetBackgroundActive(FALSE);
    EXPECT_TRUE(other->m_companion->WaitUntilIdle(5000));
    EXPECT_FALSE(Exists(companion)) << "removed by the window that wrote it last";
    other.reset();
    TestApp().SetCommandLine("");
}

// What a link worker keeps while nothing tells a change: a file is read
// again when its time or size changes, and while it is so fresh that its
// time cannot tell (some file systems keep times in steps of seconds); a
// path is analysed again when its file comes or goes.
TEST_F(LinksTest, WhatTheWorkersKeepGoesWithEveryChangeOfItsFile) {
    const uint64_t now = 133'500'000'000'000'000ULL;
    LinkSources sources([&] { return now; });
    // Each: a sum written with the same length or not, the file's time set
    // that many seconds before the clock's, and the sum then shown.
    const struct { const char* sum; int secondsAgo; const char* shown; } writes[] = {
        {"10.00", 3600, "10.00"}, {"11.00", 3600, "10.00"}, {"12.00", 3599, "12.00"},
        {"13.000", 3599, "13.000"}, {"14.00", 1, "14.00"}, {"15.00", 1, "15.00"}};
    for (const auto& w : writes) {
        WriteFileBytes(doc, std::string(kHaushaltIni).replace(std::string(kHaushaltIni).find("10.00"), 5, w.sum));
        const uint64_t t = now - static_cast<uint64_t>(w.secondsAgo) * 10'000'000;
        const FILETIME written{static_cast<DWORD>(t), static_cast<DWORD>(t >> 32)};
        const HANDLE h = ::CreateFileA(doc.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ::SetFileTime(h, nullptr, nullptr, &written);
        ::CloseHandle(h);
        EXPECT_EQ(sources.Columns(doc, *SplitDocumentPath(doc))[1].strSum, w.shown) << w.sum;
    }
    // Linked through a short name: the analysis makes it long while the file is there.
    ::CreateDirectoryA(Path("Ordner mit langem Namen").c_str(), nullptr);
    const std::string inside = Path("Ordner mit langem Namen\\Haushaltsplan.pgx");
    char shortPath[MAX_PATH] = {};
    for (const bool there : {true, false, true}) {
        there ? WriteFileBytes(inside, kHaushaltIni) : RemoveFile(inside);
        if (!*shortPath) ::GetShortPathNameA(inside.c_str(), shortPath, MAX_PATH);
        EXPECT_EQ(sources.Analyse(shortPath).parts->strTitle == "Haushaltsplan", there) << shortPath;
    }
    RemoveFile(inside);
}
