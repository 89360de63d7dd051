// The document commands and the ways to end, each with the save question,
// and every kind of path through every way of naming one: what becomes of
// path, window contents, modified flag and files on disk.
#include "document/DocumentTestSupport.h"

using doctest::CrLf;

namespace {

std::string SaveQuestion(const std::string& path) { return "\xC4nderungen in   " + path + "   speichern ?"; }
constexpr const char* kChanged = "ge\xE4ndert";
constexpr DWORD kSaveFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_LONGNAMES;

enum class Cmd { Load, Drop, Reset, Exit, Close, Escape };
// Not modified (and Yes to the reset question), not modified and No to it,
// or modified and Cancel, No, Yes, or Yes to a save that fails (read-only).
enum class Answer { Unmodified, Declined, Cancel, No, Yes, YesFails };
using enum Cmd;
using enum Answer;

// The command, the answer, whether the program ended, the document's title
// and row 01 afterwards, whether it is modified, whether its file was saved.
struct CommandCase { Cmd cmd; Answer answer; bool ended; const char *title, *goods; bool modified, saved; };
const CommandCase kCommandCases[] = {
    {Load, Unmodified, 0, "Neu", "neu", 0, 0}, {Load, Cancel, 0, "Alt", kChanged, 1, 0},
    {Load, No, 0, "Neu", "neu", 0, 0}, {Load, Yes, 0, "Neu", "neu", 0, 1},
    {Load, YesFails, 0, "Alt", kChanged, 1, 0}, {Drop, Unmodified, 0, "Neu", "neu", 0, 0},
    {Drop, Cancel, 0, "Alt", kChanged, 1, 0}, {Drop, No, 0, "Neu", "neu", 0, 0},
    {Drop, Yes, 0, "Neu", "neu", 0, 1}, {Drop, YesFails, 0, "Alt", kChanged, 1, 0},
    {Reset, Unmodified, 0, "Unbenannt", "", 0, 0}, {Reset, Declined, 0, "Alt", "alt", 0, 0},
    {Reset, Cancel, 0, "Alt", kChanged, 1, 0}, {Reset, No, 0, "Unbenannt", "", 0, 0},
    {Reset, Yes, 0, "Unbenannt", "", 0, 1}, {Reset, YesFails, 0, "Alt", kChanged, 1, 0},
    {Exit, Unmodified, 1, "Alt", "alt", 0, 0}, {Exit, Cancel, 0, "Alt", kChanged, 1, 0},
    {Exit, No, 1, "Alt", kChanged, 1, 0}, {Exit, Yes, 1, "Alt", kChanged, 0, 1},
    {Exit, YesFails, 0, "Alt", kChanged, 1, 0}, {Close, Cancel, 0, "Alt", kChanged, 1, 0},
    {Close, No, 1, "Alt", kChanged, 1, 0}, {Escape, Unmodified, 1, "Alt", "alt", 0, 0},
    {Escape, Cancel, 0, "Alt", kChanged, 1, 0}, {Escape, No, 1, "Alt", kChanged, 1, 0},
    {Escape, Yes, 1, "Alt", kChanged, 0, 1},
};

}  // namespace

class DocumentCommands : public doctest::DocumentTest {
protected:
    void SetUp() override {
        DocumentTest::SetUp();
        FirstPaint();
    }
    // Alt.pgx current and read, with a row info and the timers running.
    void OpenAlt() {
        WriteFileBytes(At("Alt.pgx"), CrLf({"; eigen", "[LISTE]", "Ware 01=alt"}));
        FirstPaint();
        ReadFrom(At("Alt.pgx"));
        dlg->m_rowInfo[3] = RowInfo{"x", "y", "z", 0};
    }
    void Reopen(const std::string& commandLine = "", bool tooLongSaid = false) {
        seams.reset();
        seams = std::make_unique<ScriptedSeams>();
        if (tooLongSaid) seams->AnswerBox(IDOK);
        dlg.reset();
        Open(commandLine);
    }
};

TEST_F(DocumentCommands, EveryCommandWithEveryAnswer) {
    // Reset reads no file: one that happens to lie under any name must not
    // fill the list, nor its companion go.
    WriteFileBytes(".\\f4d5h7j9k2.pgx", CrLf({"[LISTE]", "Ware 01=untergeschoben"}));
    WriteFileBytes(".\\f4d5h7j9k2.pgw", "");
    WriteFileBytes(At("Neu.pgx"), CrLf({"[LISTE]", "Ware 01=neu"}));
    const std::string alt = At("Alt.pgx");
    for (const CommandCase& c : kCommandCases) {
        SCOPED_TRACE("command " + std::to_string(static_cast<int>(c.cmd)) + " answer " +
                     std::to_string(static_cast<int>(c.answer)));
        RemoveFile(alt);
        OpenAlt();
        const std::string before = ReadFileBytes(alt);
        const bool modified = c.answer != Answer::Unmodified && c.answer != Answer::Declined;
        if (modified) Type(ids::Goods(0), kChanged);
        if (c.answer == Answer::YesFails) ::SetFileAttributesA(alt.c_str(), FILE_ATTRIBUTE_READONLY);
        const int box = c.answer == Answer::Cancel ? IDCANCEL : c.answer == Answer::No || c.answer == Answer::Declined ? IDNO : IDYES;
        if (modified || c.cmd == Cmd::Reset) seams->AnswerBox(box);
        if (c.answer == Answer::YesFails) seams->AnswerBox(IDOK);
        const bool goesOn = c.answer == Answer::Unmodified || c.answer == Answer::No || c.answer == Answer::Yes;
        if (c.cmd == Cmd::Load && goesOn) seams->AnswerFile(At("Neu.pgx"));
        switch (c.cmd) {
            case Cmd::Load: Click(ids::kLoad); break;
            case Cmd::Drop: Drop({At("Neu.pgx")}); break;
            case Cmd::Reset: Click(ids::kReset); break;
            case Cmd::Exit: Click(IDOK); break;
            case Cmd::Close: ::SendMessageA(Wnd(), WM_CLOSE, 0, 0); break;
            case Cmd::Escape: ::SendMessageA(Wnd(), WM_COMMAND, IDCANCEL, 0); break;
        }
        ::SetFileAttributesA(alt.c_str(), FILE_ATTRIBUTE_NORMAL);
        const std::string after = ReadFileBytes(alt);
        const char* file = after == before ? "old" : after.find("; eigen\r\n[LISTE]\r\nWare 01=ge\xE4ndert\r\n") == 0 ? "saved" : "?";
        // Ended, title, row 01, row info read anew, modified, timers, file.
        EXPECT_EQ(std::to_string(dlg->HasEnded()) + WindowTitle() + "|" + Text(ids::Goods(0)) + "|" +
                      std::to_string(dlg->m_rowInfo[3].nAutoOpen) + std::to_string(dlg->m_bModified) +
                      std::to_string(TimersRunning()) + file,
                  std::to_string(c.ended) + "Tarvelo   -   " + c.title + "|" + c.goods + "|" +
                      (c.title == std::string("Alt") ? "0" : "1") + std::to_string(c.modified) + std::to_string(!c.ended) +
                      (c.saved ? "saved" : "old"));
        EXPECT_TRUE(Exists(".\\f4d5h7j9k2.pgw") && !Exists(At("Alt.pgw")));
        // What was asked: the boxes with their buttons, and the open dialog.
        std::string shown;
        for (const ShownBox& b : seams->boxes) shown += b.text + "|" + std::to_string(b.type) + "\n";
        for (const dialogkit::FileDialogRequest& r : seams->fileRequests) {
            shown += r.initialName + "|" + std::to_string(r.open) + r.defaultExt + std::to_string(r.flags) + r.filter + "\n";
        }
        const std::string question = modified ? SaveQuestion(alt) + "|3\n"
                                     : c.cmd == Cmd::Reset ? "Alle Eintr\xE4ge l\xF6schen ?|4\n" : "";
        const std::string failed = c.answer == Answer::YesFails ? "Die Datei   " + alt + "   konnte nicht gespeichert werden !|0\n" : "";
        const std::string dialog = c.cmd == Cmd::Load && goesOn ? alt + "|1" + std::to_string(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES) +
                                                                    "Quentaro-Datei|*.pgx|Alle Dateien|*.*||\n" : "";
        EXPECT_EQ(shown, question + failed + dialog);
        Reopen();
    }
    RemoveFile(".\\f4d5h7j9k2.pgx");
    RemoveFile(".\\f4d5h7j9k2.pgw");
}

TEST_F(DocumentCommands, EveryKindOfPathThroughEveryWay) {
    // The path; through load, drop, save as and command line "title:goods" or "quit"; what Save As writes.
    struct PathCase { std::string path; const char* ways[4]; const char* written; };
    const std::string tooLong = At(std::string(300, 'l') + ".pgx");
    const PathCase cases[] = {
        {At("Gross.PGX"), {"Gross:gross", "Gross:gross", "Gross:ungespeichert", "Gross:gross"}, "Gross.PGX"},
        {At("Gross.PGW"), {"Gross:gross", "Alt:ungespeichert", "Gross:ungespeichert", "quit"}, "Gross.PGW"},
        {At("x.abcd"), {"x:abcd", "Alt:ungespeichert", "x:ungespeichert", "quit"}, "x.abcd"},
        {At("Liste.pgw"), {"Liste:liste", "Liste:liste", "Liste:ungespeichert", "Liste:liste"}, "Liste.pgx"},
        {At("Waise.pgw"), {"Waise:", "Waise:", "Waise:ungespeichert", "Waise:"}, "Waise.pgx"},
        {At("notes.txt"), {"notes:notiz", "Alt:ungespeichert", "notes:ungespeichert", "quit"}, "notes.txt"},
        {At("x.backup"), {"Alt:alt", "Alt:ungespeichert", "Alt:ungespeichert", "quit"}, ""},
        {At("Ordner"), {"Alt:alt", "Alt:ungespeichert", "Alt:ungespeichert", "quit"}, ""},
        {tooLong, {"Alt:alt", "Alt:ungespeichert", "Alt:ungespeichert", "quit"}, ""},
    };
    ::CreateDirectoryA(At("Ordner").c_str(), nullptr);
    for (const PathCase& c : cases) {
        for (int way = 0; way < 4; ++way) {
            SCOPED_TRACE(c.path.substr(Folder().size()) + " way " + std::to_string(way));
            const char* const files[][2] = {{"Gross.PGX", "gross"}, {"Liste.pgx", "liste"}, {"Liste.pgw", "companion"},
                                            {"Waise.pgw", "companion"}, {"notes.txt", "notiz"}, {"x.backup", "x"},
                                            {"Gross.PGW", "gross"}, {"x.abcd", "abcd"}};
            for (const auto& [name, goods] : files) WriteFileBytes(At(name), CrLf({"[LISTE]", std::string("Ware 01=") + goods}));
            RemoveFile(At("Waise.pgx"));
            const bool tooLongSaid = c.path == tooLong && way != 1;
            if (way == 3) {
                Reopen(c.path, tooLongSaid);
            } else {
                if (tooLongSaid) seams->AnswerBox(IDOK);
                OpenAlt();
                Type(ids::Goods(0), "ungespeichert");
                dlg->m_bModified = FALSE;
            }
            const std::set<std::string> listing = doctest::FolderListing(Folder());
            if (way == 0 || way == 2) seams->AnswerFile(c.path);
            if (way == 0) Click(ids::kLoad);
            if (way == 1) Drop({c.path, At("Gross.PGX")});
            if (way == 2) Click(ids::kSaveAs);
            MSG msg;
            const bool quit = ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
            EXPECT_EQ(quit ? "quit" : dlg->m_strDocTitle + ":" + Text(ids::Goods(0)), c.ways[way]);
            EXPECT_EQ(seams->boxes.empty() ? "" : seams->boxes[0].text, tooLongSaid ? "Der Zielpfad ist zu lang !!!" : "");
            // Save As writes the chosen document, and nothing for a refused name.
            if (way == 2) {
                EXPECT_TRUE(*c.written ? ReadFileBytes(At(c.written)).find("Ware 01=ungespeichert\r\n") != std::string::npos
                                       : doctest::FolderListing(Folder()) == listing);
            }
            Reopen();
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
    EXPECT_TRUE(!dlg->HasEnded() && dlg->m_bModified);
    const dialogkit::FileDialogRequest& r = seams->fileRequests.at(0);
    EXPECT_TRUE(!r.open && r.initialName == "Unbenannt.pgx" && r.flags == kSaveFlags && r.defaultExt == ".pgx");
    // A name chosen there is written, and the command goes on.
    seams->AnswerBox(IDYES);
    seams->AnswerFile(At("Heute.pgx"));
    Click(IDOK);
    EXPECT_TRUE(dlg->HasEnded());
    EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx"), earlier);
    EXPECT_NE(ReadFileBytes(At("Heute.pgx")).find("Ware 01=heute\r\n"), std::string::npos);

    // An Unbenannt.pgx this run wrote itself is written again directly.
    Reopen();
    FirstPaint();
    RemoveFile(".\\Unbenannt.pgx");
    for (const char* goods : {"erstens", "zweitens"}) {
        Type(ids::Goods(0), goods);
        seams->AnswerBox(IDYES);
        Click(IDOK);
        EXPECT_EQ(ReadFileBytes(".\\Unbenannt.pgx").find(std::string("[LISTE]\r\nWare 01=") + goods + "\r\n"), 0u);
    }
    EXPECT_TRUE(seams->fileRequests.empty()) << "no file dialog";
}
