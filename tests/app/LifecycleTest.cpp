// Ending the program (EXIT, Enter, close box, Escape), pause and resume,
// and the help button.
#include "support/Harness.h"

class AppLifecycle : public MainDialogTest {
protected:
    void SetUp() override {
        MainDialogTest::SetUp();
        RemoveFile(".\\Unbenannt.pgx");
        Open();
        FirstPaint();
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        RemoveFile(".\\Unbenannt.pgx");
    }
    void Modify() const { Type(ids::Goods(0), "Milch"); }
    // Both timers run: a tick would be served.
    bool TimersRunning() const {
        return ::KillTimer(Wnd(), kSumTimerId) && ::KillTimer(Wnd(), kLinkTimerId);
    }
};

TEST_F(AppLifecycle, UnmodifiedEndsAtOnceEveryWay) {
    for (int way = 0; way < 4; ++way) {
        dlg.reset();
        Open();
        switch (way) {
            case 0: Click(IDOK); break;
            case 1: ::SendMessageA(Wnd(), WM_CLOSE, 0, 0); break;
            case 2: Command(IDCANCEL); break;  // Escape
            case 3: ::SendMessageA(Wnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); break;  // Enter
        }
        EXPECT_TRUE(dlg->HasEnded()) << way;
        EXPECT_EQ(dlg->ModalResult(), way == 0 || way == 3 ? IDOK : IDCANCEL) << way;
    }
    EXPECT_TRUE(seams->boxes.empty());
}

TEST_F(AppLifecycle, ExitOnModifiedAsksAndCancelKeepsTheWindow) {
    Modify();
    EXPECT_TRUE(dlg->m_bModified);
    seams->AnswerBox(IDCANCEL);
    Click(IDOK);
    ASSERT_EQ(seams->boxes.size(), 1u);
    EXPECT_EQ(seams->boxes[0].text, "\xC4nderungen in   .\\Unbenannt.pgx   speichern ?");
    EXPECT_EQ(seams->boxes[0].type, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_TRUE(TimersRunning()) << "the timers run again after Cancel";
    EXPECT_FALSE(Exists(".\\Unbenannt.pgx"));
}

TEST_F(AppLifecycle, ExitAnsweredYesWritesTheUntitledDocument) {
    Modify();
    seams->AnswerBox(IDYES);
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_FALSE(dlg->m_bModified);
    EXPECT_NE(ReadFileBytes(".\\Unbenannt.pgx").find("Ware 01=Milch\r\n"), std::string::npos);
}

TEST_F(AppLifecycle, CloseBoxAnsweredNoEndsWithoutSavingAndAsksOnce) {
    Modify();
    seams->AnswerBox(IDNO);
    ::SendMessageA(Wnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(dlg->ModalResult(), IDCANCEL);
    EXPECT_EQ(seams->boxes.size(), 1u);
    EXPECT_FALSE(Exists(".\\Unbenannt.pgx"));
}

TEST_F(AppLifecycle, EscapeOnModifiedAsksLikeTheCloseBox) {
    Modify();
    seams->AnswerBox(IDCANCEL);
    Command(IDCANCEL);
    EXPECT_FALSE(dlg->HasEnded()) << "one stray key must not lose the changes";
    seams->AnswerBox(IDNO);
    Command(IDCANCEL);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(seams->boxes.size(), 2u);
}

TEST_F(AppLifecycle, PauseStopsTimersAndDeletesTheCompanionFile) {
    WriteFileBytes(dlg->m_strCompanionPath, "[A]\r\n");
    dlg->SetBackgroundActive(FALSE);
    EXPECT_FALSE(Exists(dlg->m_strCompanionPath));
    EXPECT_FALSE(::KillTimer(Wnd(), kSumTimerId));
    EXPECT_FALSE(::KillTimer(Wnd(), kLinkTimerId));
    dlg->SetBackgroundActive(TRUE);
    EXPECT_TRUE(TimersRunning());
    EXPECT_FALSE(Exists(dlg->m_strCompanionPath)) << "resuming does not write it";
}

TEST_F(AppLifecycle, DestructionDeletesTheCompanionFile) {
    const std::string companion = dlg->m_strCompanionPath;
    WriteFileBytes(companion, "[A]\r\n");
    dlg.reset();
    EXPECT_FALSE(Exists(companion));
}

TEST_F(AppLifecycle, HelpOpensTheGuideBesideTheExe) {
    Click(ids::kHelp);
    ASSERT_EQ(seams->shellOpened.size(), 1u);
    EXPECT_EQ(seams->shellOpened[0], TestDir() + "\\\\Info_Help.doc");
}
