// The document commands and the ways to end, each with the save question
// (the kinds of path: the start-up test): what becomes of path, window
// contents, modified flag and files on disk.
#include "document/DocumentTestSupport.h"

#include <tuple>

using documents::CrLf;
using documents::SaveQuestion;

namespace {

constexpr const char* kChanged = "ge\xE4ndert";
const std::string kFilter = "Quentaro-Datei|*.pgx|Alle Dateien|*.*||";
const std::string kAltBytes = CrLf({"; eigen", "[LISTE]", "Ware 01=alt"});

enum class Cmd { Load, Drop, Reset, Exit, Close, Escape };
// Not modified (and Yes to the reset question), not modified and No to it,
// or modified and Cancel, No, Yes, or Yes to a save that fails (read-only).
enum class Answer { Unmodified, Declined, Cancel, No, Yes, YesFails };
using enum Cmd;
using enum Answer;
// Each command's name, and its button.
const struct { const char* name; int button; } kCmds[] = {{"Load", ids::kLoad}, {"a drop", 0}, {"Reset", ids::kReset},
    {"EXIT", IDOK}, {"the close box", 0}, {"Escape", 0}};
const char* const kAnswerNames[] = {"not modified", "No to Reset", "Cancel", "No", "Yes", "Yes, the save fails"};

// What a command leaves: whether the program ended, the document in the
// title and in row 01, whether the list is modified, and Alt.pgx's file.
struct After {
    bool ended = false;
    std::string title, goods;
    bool modified = false;
    std::string file = "as it was";  // or "saved" with the change, or "damaged"
    bool operator==(const After&) const = default;
};
std::ostream& operator<<(std::ostream& out, const After& a) {
    return out << (a.ended ? "ended" : "open") << ", title " << a.title << ", row 01 \"" << a.goods << "\", "
               << (a.modified ? "modified" : "not modified") << ", Alt.pgx " << a.file;
}
After Showing(const char* title, const char* goods) { return {false, title, goods}; }
After Saved(const After& a) { return {a.ended, a.title, a.goods, false, "saved"}; }
const After kKept{false, "Alt", kChanged, true};  // nothing done: Cancel, or Yes to a save that failed
const After kNeu = Showing("Neu", "neu"), kCleared = Showing("Unbenannt", ""), kUntouched = Showing("Alt", "alt");
const After kEnded{true, "Alt", "alt"}, kEndedChanged{true, "Alt", kChanged, true};

const struct { Cmd cmd; Answer answer; After after; } kCommandCases[] = {
    {Load, Unmodified, kNeu}, {Load, Cancel, kKept}, {Load, No, kNeu}, {Load, Yes, Saved(kNeu)}, {Load, YesFails, kKept},
    {Drop, Unmodified, kNeu}, {Drop, Cancel, kKept}, {Drop, No, kNeu}, {Drop, Yes, Saved(kNeu)}, {Drop, YesFails, kKept},
    {Reset, Unmodified, kCleared}, {Reset, Declined, kUntouched}, {Reset, Cancel, kKept}, {Reset, No, kCleared},
    {Reset, Yes, Saved(kCleared)}, {Reset, YesFails, kKept}, {Exit, Unmodified, kEnded}, {Exit, Cancel, kKept},
    {Exit, No, kEndedChanged}, {Exit, Yes, Saved(kEndedChanged)}, {Exit, YesFails, kKept}, {Close, Cancel, kKept},
    {Close, No, kEndedChanged}, {Escape, Unmodified, kEnded}, {Escape, Cancel, kKept}, {Escape, No, kEndedChanged},
    {Escape, Yes, Saved(kEndedChanged)},
};

// What a file dialog was asked for: open or save, first name, default
// extension, flags and filter.
auto Request(const dialogkit::FileDialogRequest& r) {
    return std::make_tuple(r.open, r.initialName, r.defaultExt, r.flags, r.filter);
}

}  // namespace

class DocumentCommands : public documents::DocumentTest {
protected:
    // Alt.pgx current and read, with a row info and the timers running.
    void OpenAlt() {
        WriteFileBytes(At("Alt.pgx"), kAltBytes);
        FirstPaint();
        ReadFrom(At("Alt.pgx"));
        dlg->m_rowInfo[3] = RowInfo{"x", "y", "z", 0};
    }
    After Seen() const {
        const std::string title = WindowTitle(), prefix = "Tarvelo   -   ", alt = ReadFileBytes(At("Alt.pgx"));
        const bool saved = alt.starts_with("; eigen\r\n[LISTE]\r\nWare 01=ge\xE4ndert\r\n");
        return {dlg->HasEnded() != FALSE, title.starts_with(prefix) ? title.substr(prefix.size()) : title,
                Text(ids::Goods(0)), dlg->m_bModified != FALSE, alt == kAltBytes ? "as it was" : saved ? "saved" : "damaged"};
    }
    void Run(Cmd cmd, const std::vector<std::string>& dropped) {
        if (cmd == Cmd::Drop) Drop(dropped);
        if (cmd == Cmd::Close) ::SendMessageA(Wnd(), WM_CLOSE, 0, 0);
        if (cmd == Cmd::Escape) ::SendMessageA(Wnd(), WM_COMMAND, IDCANCEL, 0);
        if (kCmds[static_cast<int>(cmd)].button) Click(kCmds[static_cast<int>(cmd)].button);
    }
};

TEST_F(DocumentCommands, EveryCommandWithEveryAnswer) {
    // Reset reads no file: one that happens to lie under any name must not
    // fill the list, nor its companion go.
    WriteFileBytes(".\\f4d5h7j9k2.pgx", CrLf({"[LISTE]", "Ware 01=untergeschoben"}));
    WriteFileBytes(".\\f4d5h7j9k2.pgw", "");
    WriteFileBytes(At("Neu.pgx"), CrLf({"[LISTE]", "Ware 01=neu"}));
    const std::string alt = At("Alt.pgx");
    for (const auto& c : kCommandCases) {
        SCOPED_TRACE(std::string(kCmds[static_cast<int>(c.cmd)].name) + ", " + kAnswerNames[static_cast<int>(c.answer)]);
        OpenAlt();
        const bool modified = c.answer != Unmodified && c.answer != Declined;
        if (modified) Type(ids::Goods(0), kChanged);
        if (c.answer == YesFails) ::SetFileAttributesA(alt.c_str(), FILE_ATTRIBUTE_READONLY);
        const int box = c.answer == Cancel ? IDCANCEL : c.answer == No || c.answer == Declined ? IDNO : IDYES;
        if (modified || c.cmd == Reset) seams->AnswerBox(box);
        if (c.answer == YesFails) seams->AnswerBox(IDOK);
        const bool loads = c.cmd == Load && (c.answer == Unmodified || c.answer == No || c.answer == Yes);
        if (loads) seams->AnswerFile(At("Neu.pgx"));
        Run(c.cmd, {At("Neu.pgx")});
        ::SetFileAttributesA(alt.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(Seen(), c.after);
        EXPECT_EQ(dlg->m_rowInfo[3].nAutoOpen, c.after.title == "Alt" ? 0 : 1) << "row 04's info read anew with another list";
        EXPECT_EQ(TimersRunning(), !c.after.ended) << "the timers run while the window stays";
        EXPECT_TRUE(Exists(".\\f4d5h7j9k2.pgw") && !Exists(At("Alt.pgw")));
        // What was asked: the question, the failure, and Load's open dialog at the current document.
        std::vector<Box> asked;
        if (modified) asked.push_back({SaveQuestion(alt), MB_YESNOCANCEL});
        if (!modified && c.cmd == Reset) asked.push_back({"Alle Eintr\xE4ge l\xF6schen ?", MB_YESNO});
        if (c.answer == YesFails) asked.push_back({"Die Datei   " + alt + "   konnte nicht gespeichert werden !"});
        EXPECT_EQ(Shown(), asked);
        const DWORD flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
        EXPECT_EQ(seams->fileRequests.size(), loads ? 1u : 0u);
        for (const auto& r : seams->fileRequests) EXPECT_EQ(Request(r), std::make_tuple(true, alt, "", flags, kFilter));
        Reopen();
    }
    for (const char* stray : {".\\f4d5h7j9k2.pgx", ".\\f4d5h7j9k2.pgw"}) RemoveFile(stray);
}

