// The refresh of linked rows: steps and their wrap, the texts, disabled
// edits, the modified flag, and where the values come from.
#include "links/LinkRules.h"
#include "links/LinksFixture.h"

#include <algorithm>
#include <atomic>
#include <thread>

TEST(LinksRules, StepsWrapAroundTheSevenColumns) {
    EXPECT_EQ(SteppedLinkColumn(6, +1), 0);
    EXPECT_EQ(SteppedLinkColumn(0, -1), 6);
    EXPECT_EQ(SteppedLinkColumn(1, +1), 2);
    EXPECT_EQ(SteppedLinkColumn(3, -1), 2);
    EXPECT_EQ(SteppedLinkColumn(4, 0), 4);
    EXPECT_EQ(SteppedLinkColumn(-1, 0), 6) << "a stored 'no column' shows G";
}

TEST(LinksRules, GoodsTextAndCompanionPath) {
    EXPECT_EQ(LinkedGoodsText(1, "Haushalt", "Lebensmittel"), "[B] - [Haushalt]--> Lebensmittel");
    EXPECT_EQ(LinkedGoodsText(6, "Haushalt", ""), "[G] - [Haushalt]--> ");

    EXPECT_EQ(CompanionPathOf("C:\\Listen\\Haushalt.pgx"), "C:\\Listen\\Haushalt.pgw");
    EXPECT_EQ(CompanionPathOf("C:\\Listen\\Haushalt.backup"), "C:\\Listen\\Haushalt.pgw");
    EXPECT_EQ(CompanionPathOf("C:\\Listen.alt\\Notizen"), "C:\\Listen.alt\\Notizen.pgw");
    EXPECT_EQ(CompanionPathOf("C:\\Listen\\Haus.2024.pgx"), "C:\\Listen\\Haus.2024.pgw");
    EXPECT_EQ(CompanionPathOf("Liste.pgx"), ".\\Liste.pgw");
}

class LinksRefresh : public LinksTest {};

TEST_F(LinksRefresh, UnlinkedRowChangesNothingForAnyStep) {
    Type(ids::Goods(3), "Milch");
    Type(ids::Price(3), "1.49");
    dlg->m_rowLinkColumn[3] = 2;  // a column without a path is no link
    for (BOOL modified : {FALSE, TRUE}) {
        for (int step : {-1, 0, +1}) {
            dlg->m_bModified = modified;
            dlg->RefreshLinkedRow(3, step);
            EXPECT_EQ(dlg->m_bModified, modified) << step;
            EXPECT_EQ(Text(ids::Goods(3)), "Milch") << step;
            EXPECT_EQ(Text(ids::Price(3)), "1.49") << step;
            EXPECT_TRUE(Enabled(ids::Goods(3))) << step;
            EXPECT_TRUE(Enabled(ids::Price(3))) << step;
            EXPECT_EQ(dlg->m_rowLinkColumn[3], 2) << step;
        }
    }
}

TEST_F(LinksRefresh, StepsMoveThroughTheColumnsAndWrap) {
    const std::string doc = Haushalt();
    Link(0, doc, 6);
    dlg->RefreshLinkedRow(0, +1);
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 0);
    EXPECT_EQ(Text(ids::Goods(0)), "[A] - [Haushalt]--> Drogerie");
    EXPECT_EQ(Text(ids::Price(0)), "3.10");

    dlg->RefreshLinkedRow(0, -1);
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 6);
    EXPECT_EQ(Text(ids::Goods(0)), "[G] - [Haushalt]--> Sonstiges");
    EXPECT_EQ(Text(ids::Price(0)), "7.70");

    dlg->RefreshLinkedRow(0, -1);
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 5);
    EXPECT_EQ(Text(ids::Goods(0)), "[F] - [Haushalt]--> ") << "a column the file lacks reads empty";
    EXPECT_EQ(Text(ids::Price(0)), "");
}

TEST_F(LinksRefresh, StoredPathWithoutColumnShowsGAndDisablesTheEdits) {
    const std::string doc = Haushalt();
    Link(5, doc, kNone);
    ASSERT_TRUE(Enabled(ids::Goods(5)));
    TickLinks();
    EXPECT_EQ(dlg->m_rowLinkColumn[5], 6);
    EXPECT_EQ(Text(ids::Goods(5)), "[G] - [Haushalt]--> Sonstiges");
    EXPECT_EQ(Text(ids::Price(5)), "7.70");
    EXPECT_FALSE(Enabled(ids::Goods(5)));
    EXPECT_FALSE(Enabled(ids::Price(5)));
    TickLinks();
    EXPECT_FALSE(Enabled(ids::Goods(5)));
    EXPECT_FALSE(Enabled(ids::Price(5)));
}

TEST_F(LinksRefresh, TimerNeverChangesTheModifiedFlagAStepSetsIt) {
    const std::string doc = Haushalt();
    Link(0, doc, 1);
    Link(19, doc, 0);
    TickLinks();
    EXPECT_FALSE(dlg->m_bModified) << "a tick on an unmodified document";
    EXPECT_EQ(Text(ids::Goods(19)), "[A] - [Haushalt]--> Drogerie");
    dlg->m_bModified = TRUE;
    TickLinks();
    EXPECT_TRUE(dlg->m_bModified) << "a tick on a modified document";

    for (int step : {+1, -1}) {
        dlg->m_bModified = FALSE;
        dlg->RefreshLinkedRow(0, step);
        EXPECT_TRUE(dlg->m_bModified) << step;
    }
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 1);
}

TEST_F(LinksRefresh, ReadsTheCompanionWhileItExistsAndTheSavedDocumentOtherwise) {
    const std::string doc = Haushalt();
    const std::string companion = TestDir() + "\\Haushalt.pgw";
    Write(companion, {{1, {"Lebensmittel frisch", "25.50"}}});
    Link(0, doc, 1);
    TickLinks();
    EXPECT_EQ(Text(ids::Goods(0)), "[B] - [Haushalt]--> Lebensmittel frisch");
    EXPECT_EQ(Text(ids::Price(0)), "25.50");

    Write(companion, {{1, {"Lebensmittel frisch", "26.00"}}});
    TickLinks();
    EXPECT_EQ(Text(ids::Price(0)), "26.00");

    RemoveFile(companion);
    TickLinks();
    EXPECT_EQ(Text(ids::Goods(0)), "[B] - [Haushalt]--> Lebensmittel");
    EXPECT_EQ(Text(ids::Price(0)), "10.00");
}

TEST_F(LinksRefresh, DeletedDocumentShowsEmptyValuesAndComesBack) {
    const std::string doc = Haushalt();
    const std::string away = Path("Haushalt.weg");
    Link(0, doc, 1);
    TickLinks();
    ASSERT_EQ(Text(ids::Price(0)), "10.00");

    ASSERT_TRUE(::MoveFileA(doc.c_str(), away.c_str()));
    TickLinks();
    EXPECT_EQ(Text(ids::Goods(0)), "[B] - [Haushalt]--> ");
    EXPECT_EQ(Text(ids::Price(0)), "");
    EXPECT_EQ(dlg->m_rowLinkFile[0], doc) << "the link stays";
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 1);
    EXPECT_FALSE(Enabled(ids::Price(0)));

    ASSERT_TRUE(::MoveFileA(away.c_str(), doc.c_str()));
    TickLinks();
    EXPECT_EQ(Text(ids::Goods(0)), "[B] - [Haushalt]--> Lebensmittel");
    EXPECT_EQ(Text(ids::Price(0)), "10.00");
}

TEST_F(LinksRefresh, UnreadableLinksGiveEmptyValuesAndNeverStopTheTick) {
    const std::string binary = Path("Kaputt.pgx");
    WriteFileBytes(binary, std::string("\0\xFF[B\0Name=\x01\r\n\xFE", 14) + std::string(5000, '\0'));
    const std::string folder = Path("Ordner.pgx");
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string doc = Haushalt();
    Link(0, "Q:\\kein Laufwerk\\Haushalt.pgx", 1);
    Link(1, binary, 1);
    Link(2, folder, 1);
    Link(3, TestDir() + "\\gibt es nicht.pgx", 1);
    Link(4, doc, 1);
    TickLinks();
    EXPECT_EQ(Text(ids::Goods(0)), "[B] - [Haushalt]--> ");
    EXPECT_EQ(Text(ids::Goods(1)), "[B] - [Kaputt]--> ");
    EXPECT_EQ(Text(ids::Goods(2)), "[B] - [Ordner]--> ");
    EXPECT_EQ(Text(ids::Goods(3)), "[B] - [gibt es nicht]--> ");
    for (int row = 0; row < 4; ++row) EXPECT_EQ(Text(ids::Price(row)), "") << row;
    EXPECT_EQ(Text(ids::Price(4)), "10.00") << "the rows after them are still read";
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(LinksRefresh, LinkedMillionCountsWhole) {
    const std::string doc = Path("Firma.pgx");
    Write(doc, {{2, {"Umsatz", "1234567.89"}}});
    Link(0, doc, 2);
    Click(ids::Selection(0, 0));
    TickLinks();
    TickSums();
    EXPECT_EQ(Text(ids::Price(0)), "1234567.89");
    EXPECT_EQ(Text(ids::Sum(0)), "1234567.89");
    EXPECT_EQ(Text(ids::kTotal), "1234567.89");
}

TEST_F(LinksRefresh, TooLongLinkPathIsSaidOncePerPathAndLeavesTheRow) {
    // A link path whose long form needs more than 259 characters.
    const std::string tooLong = TestDir() + "\\" + std::string(280, 'x') + ".pgx";
    const std::string alsoTooLong = TestDir() + "\\" + std::string(290, 'y') + ".pgx";
    Type(ids::Goods(7), "vorher");
    Type(ids::Price(7), "1.00");
    Link(7, tooLong, 2);
    dlg->m_bModified = FALSE;
    seams->AnswerBox(IDOK);
    for (int tick = 0; tick < 3; ++tick) TickLinks();
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].text, "Der Zielpfad ist zu lang !!!");
    EXPECT_EQ(Text(ids::Goods(7)), "vorher");
    EXPECT_EQ(Text(ids::Price(7)), "1.00");
    EXPECT_TRUE(Enabled(ids::Goods(7)));
    EXPECT_EQ(dlg->m_rowLinkColumn[7], 2);
    EXPECT_FALSE(dlg->m_bModified);

    dlg->RefreshLinkedRow(7, +1);
    EXPECT_TRUE(dlg->m_bModified) << "a step marks the document even so";
    EXPECT_EQ(dlg->m_rowLinkColumn[7], 2);
    EXPECT_EQ(seams->boxes.size(), 1u);

    Link(8, alsoTooLong, 0);
    seams->AnswerBox(IDOK);
    TickLinks();
    TickLinks();
    EXPECT_EQ(seams->boxes.size(), 2u) << "another path is said once, too";
}

namespace {

// The message boxes owned by a window, as the user would see them.
int BoxesOwnedBy(HWND owner) {
    int count = 0;
    for (HWND w = ::GetWindow(::GetDesktopWindow(), GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
        if (::GetWindow(w, GW_OWNER) == owner && ::IsWindowVisible(w)) ++count;
    }
    return count;
}

}  // namespace

// A real message box runs its own loop, which keeps delivering the timers:
// while it waits for an answer, no second one may open over it.
TEST_F(LinksRefresh, TooLongMessageStaysAloneWhileItWaitsForItsAnswer) {
    dialogkit::TheSeams().messageBox = nullptr;
    Link(7, TestDir() + "\\" + std::string(280, 'x') + ".pgx", 2);
    constexpr UINT kFastTickMs = 10;
    ::SetTimer(Wnd(), kLinkTimerId, kFastTickMs, nullptr);
    ::SetTimer(Wnd(), kSumTimerId, kFastTickMs, nullptr);

    std::atomic<int> most{0};
    std::atomic<bool> answered{false};
    const HWND owner = Wnd();
    const DWORD mainThread = ::GetCurrentThreadId();
    std::thread user([&] {
        // Look at the screen for many tick periods after the first box...
        const DWORD start = ::GetTickCount();
        DWORD firstSeen = 0;
        while (::GetTickCount() - start < 5000 && (!firstSeen || ::GetTickCount() - firstSeen < 400)) {
            most = std::max(most.load(), BoxesOwnedBy(owner));
            if (!firstSeen && most > 0) firstSeen = ::GetTickCount();
            ::Sleep(2);
        }
        // ...then answer every box there is; boxes that keep coming would
        // hold the test for ever, so a quit ends their loops.
        for (DWORD none = ::GetTickCount(); ::GetTickCount() - none < 200 && ::GetTickCount() - start < 7000;) {
            if (const HWND box = ::FindWindowA("#32770", "Tarvelo")) {
                ::PostMessageA(box, WM_COMMAND, IDOK, 0);
                none = ::GetTickCount();
            }
            ::Sleep(2);
        }
        if (BoxesOwnedBy(owner) > 0) ::PostThreadMessageA(mainThread, WM_QUIT, 0, 0);
        answered = true;
    });
    const DWORD start = ::GetTickCount();
    DWORD answeredAt = 0;
    MSG msg{};
    while (msg.message != WM_QUIT && (!answeredAt || ::GetTickCount() - answeredAt < 300) &&
           ::GetTickCount() - start < 10000) {
        if (answered && !answeredAt) answeredAt = ::GetTickCount();
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageA(&msg);
        } else {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kFastTickMs, QS_ALLINPUT);
        }
    }
    user.join();
    EXPECT_EQ(most, 1) << "one box, however long it waits";
    EXPECT_EQ(BoxesOwnedBy(owner), 0) << "and never again for the same path";
    EXPECT_EQ(Text(ids::kTotal), "0.00") << "the sums went on once it was answered";
}
