// The document commands and the ways to end, each with the save question:
// what becomes of path, window contents, modified flag and files on disk.
#include "document/DocumentTestSupport.h"

using doctest::CrLf;

namespace {

std::string SaveQuestion(const std::string& path) { return "\xC4nderungen in   " + path + "   speichern ?"; }
std::string SaveFailed(const std::string& path) { return "Die Datei   " + path + "   konnte nicht gespeichert werden !"; }
constexpr const char* kChanged = "ge\xE4ndert";

enum class Cmd { Load, Drop, Reset, Exit, Close, Escape };
// How the document stands and what the user answers: not modified (and Yes
// to the reset question), not modified and No to it, or modified and Cancel,
// No, Yes, or Yes to a save that fails (a read-only file).
enum class Answer { Unmodified, Declined, Cancel, No, Yes, YesFails };

struct CommandCase {
    Cmd cmd;
    Answer answer;
    bool ended;
    const char* title;  // window title's document afterwards
    const char* goods;  // row 01 afterwards
    bool modified;
    bool saved;  // the current document's file holds the change
};

const CommandCase kCommandCases[] = {
    {Cmd::Load, Answer::Unmodified, false, "Neu", "neu", false, false},
    {Cmd::Load, Answer::Cancel, false, "Alt", kChanged, true, false},
    {Cmd::Load, Answer::No, false, "Neu", "neu", false, false},
    {Cmd::Load, Answer::Yes, false, "Neu", "neu", false, true},
    {Cmd::Load, Answer::YesFails, false, "Alt", kChanged, true, false},
    {Cmd::Drop, Answer::Unmodified, false, "Neu", "neu", false, false},
    {Cmd::Drop, Answer::Cancel, false, "Alt", kChanged, true, false},
    {Cmd::Drop, Answer::No, false, "Neu", "neu", false, false},
    {Cmd::Drop, Answer::Yes, false, "Neu", "neu", false, true},
    {Cmd::Drop, Answer::YesFails, false, "Alt", kChanged, true, false},
    {Cmd::Reset, Answer::Unmodified, false, "Unbenannt", "", false, false},
    {Cmd::Reset, Answer::Declined, false, "Alt", "alt", false, false},
    {Cmd::Reset, Answer::Cancel, false, "Alt", kChanged, true, false},
    {Cmd::Reset, Answer::No, false, "Unbenannt", "", false, false},
    {Cmd::Reset, Answer::Yes, false, "Unbenannt", "", false, true},
    {Cmd::Reset, Answer::YesFails, false, "Alt", kChanged, true, false},
    {Cmd::Exit, Answer::Unmodified, true, "Alt", "alt", false, false},
    {Cmd::Exit, Answer::Cancel, false, "Alt", kChanged, true, false},
    {Cmd::Exit, Answer::No, true, "Alt", kChanged, true, false},
    {Cmd::Exit, Answer::Yes, true, "Alt", kChanged, false, true},
    {Cmd::Exit, Answer::YesFails, false, "Alt", kChanged, true, false},
    {Cmd::Close, Answer::Cancel, false, "Alt", kChanged, true, false},
    {Cmd::Close, Answer::No, true, "Alt", kChanged, true, false},
    {Cmd::Close, Answer::Yes, true, "Alt", kChanged, false, true},
    {Cmd::Escape, Answer::Unmodified, true, "Alt", "alt", false, false},
    {Cmd::Escape, Answer::Cancel, false, "Alt", kChanged, true, false},
    {Cmd::Escape, Answer::Yes, true, "Alt", kChanged, false, true},
};

}  // namespace

class DocumentCommands : public doctest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        FirstPaint();
    }
    // Alt.pgx current and read, Neu.pgx beside it, the timers running.
    void OpenAlt() {
        WriteFileBytes(At("Alt.pgx"), CrLf({"; eigen", "[LISTE]", "Ware 01=alt"}));
        WriteFileBytes(At("Neu.pgx"), CrLf({"[LISTE]", "Ware 01=neu"}));
        FirstPaint();
        ReadFrom(At("Alt.pgx"));
    }
    void Run(Cmd cmd, const std::string& chosen) const {
        switch (cmd) {
            case Cmd::Load: Click(ids::kLoad); break;
            case Cmd::Drop: Drop({chosen}); break;
            case Cmd::Reset: Click(ids::kReset); break;
            case Cmd::Exit: Click(IDOK); break;
            case Cmd::Close: ::SendMessageA(Wnd(), WM_CLOSE, 0, 0); break;
            case Cmd::Escape: ::SendMessageA(Wnd(), WM_COMMAND, IDCANCEL, 0); break;
        }
    }
};

TEST_F(DocumentCommands, EveryCommandWithEveryAnswer) {
    for (const CommandCase& c : kCommandCases) {
        const std::string trace = "command " + std::to_string(static_cast<int>(c.cmd)) + " answer " +
                                  std::to_string(static_cast<int>(c.answer));
        SCOPED_TRACE(trace);
        RemoveFile(At("Alt.pgx"));
        // Reset reads no file: one that happens to lie under any name must
        // not fill the list, nor its companion go.
        WriteFileBytes(".\\f4d5h7j9k2.pgx", CrLf({"[LISTE]", "Ware 01=untergeschoben"}));
        WriteFileBytes(".\\f4d5h7j9k2.pgw", "");
        OpenAlt();
        dlg->m_rowInfo[3] = RowInfo{"x", "y", "z", 0};
        const std::string alt = At("Alt.pgx");
        const std::string before = ReadFileBytes(alt);
        const bool modified = c.answer != Answer::Unmodified && c.answer != Answer::Declined;
        if (modified) Type(ids::Goods(0), kChanged);
        if (c.answer == Answer::YesFails) ::SetFileAttributesA(alt.c_str(), FILE_ATTRIBUTE_READONLY);
        const int box = c.answer == Answer::Cancel ? IDCANCEL : c.answer == Answer::No ? IDNO : IDYES;
        if (modified || c.cmd == Cmd::Reset) seams->AnswerBox(c.answer == Answer::Declined ? IDNO : box);
        if (c.answer == Answer::YesFails) seams->AnswerBox(IDOK);
        const bool goesOn = c.answer == Answer::Unmodified || c.answer == Answer::No || c.answer == Answer::Yes;
        if (c.cmd == Cmd::Load && goesOn) seams->AnswerFile(At("Neu.pgx"));
        Run(c.cmd, At("Neu.pgx"));

        EXPECT_EQ(dlg->HasEnded(), c.ended);
        EXPECT_EQ(WindowTitle(), std::string("Tarvelo   -   ") + c.title);
        EXPECT_EQ(Text(ids::Goods(0)), c.goods);
        EXPECT_EQ(dlg->m_rowInfo[3].nAutoOpen, c.title == std::string("Alt") ? 0 : 1) << "read anew";
        EXPECT_TRUE(Exists(".\\f4d5h7j9k2.pgw"));
        if (c.cmd == Cmd::Load && goesOn) {
            const dialogkit::FileDialogRequest& r = seams->fileRequests.at(0);
            EXPECT_TRUE(r.open && r.defaultExt.empty() && r.initialName == alt && r.owner == Wnd());
            EXPECT_EQ(r.flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES));
            EXPECT_EQ(r.filter, "Quentaro-Datei|*.pgx|Alle Dateien|*.*||");
        }
        EXPECT_EQ(!!dlg->m_bModified, c.modified);
        ::SetFileAttributesA(alt.c_str(), FILE_ATTRIBUTE_NORMAL);
        const std::string after = ReadFileBytes(alt);
        EXPECT_EQ(after.find(std::string("Ware 01=") + kChanged + "\r\n") != std::string::npos, c.saved);
        EXPECT_EQ(after.find("; eigen\r\n"), 0u) << "foreign lines stay";
        if (!c.saved) { EXPECT_EQ(after, before); }
        if (modified) { EXPECT_EQ(seams->boxes.front().text, SaveQuestion(alt)); }
        if (modified) { EXPECT_EQ(seams->boxes.front().type, static_cast<UINT>(MB_YESNOCANCEL)); }
        if (c.answer == Answer::YesFails) { EXPECT_EQ(seams->boxes.back().text, SaveFailed(alt)); }
        if (!modified && c.cmd == Cmd::Reset) { EXPECT_EQ(seams->boxes.front().text, "Alle Eintr\xE4ge l\xF6schen ?"); }
        if (!c.ended) { EXPECT_TRUE(TimersRunning()); }
        EXPECT_FALSE(Exists(At("Alt.pgw")));
        seams.reset();
        seams = std::make_unique<ScriptedSeams>();
        dlg.reset();
        Open();
    }
    RemoveFile(".\\f4d5h7j9k2.pgx");
    RemoveFile(".\\f4d5h7j9k2.pgw");
}

// The kinds of path a user can name, through every way of naming one.
TEST_F(DocumentCommands, EveryKindOfPathThroughEveryWay) {
    struct PathCase {
        std::string path;
        const char *load, *drop, *saveAs, *commandLine;  // "title:goods", or "quit"
        const char* written;                             // what Save As writes
    };
    const std::string tooLong = At(std::string(300, 'l') + ".pgx");
    const PathCase cases[] = {
        {At("Gross.PGX"), "Gross:gross", "Gross:gross", "Gross:ungespeichert", "Gross:gross", "Gross.PGX"},
        {At("Liste.pgw"), "Liste:liste", "Liste:liste", "Liste:ungespeichert", "Liste:liste", "Liste.pgx"},
        {At("Waise.pgw"), "Waise:", "Waise:", "Waise:ungespeichert", "Waise:", "Waise.pgx"},
        {At("notes.txt"), "notes:notiz", "Alt:ungespeichert", "notes:ungespeichert", "quit", "notes.txt"},
        {At("x.backup"), "Alt:alt", "Alt:ungespeichert", "Alt:ungespeichert", "quit", ""},
        {At("Ordner"), "Alt:alt", "Alt:ungespeichert", "Alt:ungespeichert", "quit", ""},
        {tooLong, "Alt:alt", "Alt:ungespeichert", "Alt:ungespeichert", "quit", ""},
    };
    for (const PathCase& c : cases) {
        for (int way = 0; way < 4; ++way) {
            SCOPED_TRACE(c.path.substr(Folder().size()) + " way " + std::to_string(way));
            doctest::RemoveTree(Folder());
            ::CreateDirectoryA(Folder().c_str(), nullptr);
            ::CreateDirectoryA(At("Ordner").c_str(), nullptr);
            WriteFileBytes(At("Gross.PGX"), CrLf({"[LISTE]", "Ware 01=gross"}));
            WriteFileBytes(At("Liste.pgx"), CrLf({"[LISTE]", "Ware 01=liste"}));
            WriteFileBytes(At("Liste.pgw"), CrLf({"[LISTE]", "Ware 01=companion"}));
            WriteFileBytes(At("Waise.pgw"), CrLf({"[LISTE]", "Ware 01=companion"}));
            WriteFileBytes(At("notes.txt"), CrLf({"[LISTE]", "Ware 01=notiz"}));
            WriteFileBytes(At("x.backup"), CrLf({"[LISTE]", "Ware 01=backup"}));
            const bool tooLongSaid = c.path == tooLong && way != 1;
            if (tooLongSaid) seams->AnswerBox(IDOK);
            std::string expected = way == 0 ? c.load : way == 1 ? c.drop : way == 2 ? c.saveAs : c.commandLine;
            if (way == 3) {
                dlg.reset();
                Open(c.path);
            } else {
                OpenAlt();
                Type(ids::Goods(0), "ungespeichert");
                dlg->m_bModified = FALSE;
            }
            const std::set<std::string> listing = doctest::FolderListing(Folder());
            if (way == 0) {
                seams->AnswerFile(c.path);
                Click(ids::kLoad);
            }
            if (way == 1) Drop({c.path, At("Gross.PGX")});
            if (way == 2) {
                seams->AnswerFile(c.path);
                Click(ids::kSaveAs);
            }
            MSG msg;
            if (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
                EXPECT_EQ(expected, "quit");
            } else {
                EXPECT_EQ(dlg->m_strDocTitle + ":" + Text(ids::Goods(0)), expected);
            }
            EXPECT_EQ(seams->boxes.size(), tooLongSaid ? 1u : 0u);
            if (tooLongSaid) { EXPECT_EQ(seams->boxes[0].text, "Der Zielpfad ist zu lang !!!"); }
            if (way == 2 && *c.written) {
                EXPECT_NE(ReadFileBytes(At(c.written)).find("Ware 01=ungespeichert\r\n"), std::string::npos);
            }
            if (way == 2 && !*c.written) { EXPECT_EQ(doctest::FolderListing(Folder()), listing) << "nothing written"; }
            seams.reset();
            seams = std::make_unique<ScriptedSeams>();
            dlg.reset();
            Open();
        }
    }
}

TEST_F(DocumentCommands, YesOnTheUntitledListNeverReplacesAnEarlierUnbenanntWithoutAsking) {
    const std::string earlier = CrLf({"[LISTE]", "Ware 01=von gestern"});
    WriteFileBytes(".\\Unbenannt.pgx", earlier);
    // Cancel in the Save As dialog is Cancel of the question: nothing ends.
    Type(ids::Goods(0), "heute");
    seams->AnswerBox(IDYES);
    seams->CancelFile();
    Click(IDOK);
    EXPECT_FALSE(dlg->HasEnded());
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx"), earlier);
    ASSERT_EQ(seams->fileRequests.size(), 1u);
    EXPECT_FALSE(seams->fileRequests[0].open);
    EXPECT_EQ(seams->fileRequests[0].initialName, "Unbenannt.pgx");
    EXPECT_EQ(seams->fileRequests[0].flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_LONGNAMES));

    // A name chosen there is written, and the command goes on.
    seams->AnswerBox(IDYES);
    seams->AnswerFile(At("Heute.pgx"));
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx"), earlier);
    EXPECT_NE(ReadFileBytes(At("Heute.pgx")).find("Ware 01=heute\r\n"), std::string::npos);
}

TEST_F(DocumentCommands, AnUnbenanntThisRunWroteIsWrittenAgainDirectly) {
    Type(ids::Goods(0), "erstens");
    seams->AnswerBox(IDYES);
    seams->AnswerBox(IDYES);
    Click(ids::kReset);
    EXPECT_NE(ReadFileBytes(".\\Unbenannt.pgx").find("Ware 01=erstens\r\n"), std::string::npos);
    Type(ids::Goods(0), "zweitens");
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_NE(ReadFileBytes(".\\Unbenannt.pgx").find("Ware 01=zweitens\r\n"), std::string::npos);
    EXPECT_TRUE(seams->fileRequests.empty()) << "no file dialog";
}
