// The print command by its key, the menu and the button, answered as a
// user or a printer would: what the job did, what it drew, what the user
// was told, and that the list stays as it was.
#include "commands/Commands.h"
#include "commands/CommandsFixture.h"

#include <cderr.h>

namespace {

struct Way {
    const char* name;
    std::function<void(CommandsTest&)> ask;
};
// What the dialog answers and what the printer does with StartDoc.
struct Answer {
    const char* name;
    bool ok;
    DWORD error;
    int startDoc;
    std::vector<std::string> steps;
    std::vector<Box> boxes;
};

// Adds an enhanced metafile's text record to the texts at `out`.
int CALLBACK AddText(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM out) {
    if (r->iType != EMR_EXTTEXTOUTW) return 1;
    const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
    const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) + t->emrtext.offString);
    char text[1024] = {};
    ::WideCharToMultiByte(1252, 0, chars, static_cast<int>(t->emrtext.nChars), text, sizeof text - 1, nullptr, nullptr);
    *reinterpret_cast<std::string*>(out) += std::string(text) + "\n";
    return 1;
}

// The texts an enhanced metafile holds, in the order drawn.
std::string TextsOf(HENHMETAFILE emf) {
    std::string texts;
    ::EnumEnhMetaFile(nullptr, emf, AddText, &texts, nullptr);
    return texts;
}

class PrintingCommand : public CommandsTest, public ::testing::WithParamInterface<std::tuple<Way, Answer>> {};

TEST_P(PrintingCommand, PrintsAsAnsweredAndLeavesTheList) {
    const auto& [way, answer] = GetParam();
    OpenList();
    Type(ids::Goods(0), "Käse");
    dlg->m_rowInfo[9] = RowInfo{"Beleg", "", "quittung.pdf", 0};  // a note with its second source alone
    const List before = WholeList();
    std::vector<std::string> steps;
    std::string drawn;
    dialogkit::Seams& s = dialogkit::TheSeams();
    s.printDialog = [&](PRINTDLGA& request) {
        if (answer.ok) request.hDC = ::CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
        return dialogkit::PrintDialogResult{answer.ok, answer.error};
    };
    s.spool = [&](dialogkit::SpoolStep step, HDC dc, const char* name) {
        static const char* const kSteps[] = {"StartDoc", "StartPage", "EndPage", "EndDoc", "AbortDoc", "Release"};
        steps.push_back(kSteps[static_cast<int>(step)] + (name ? std::string(" ") + name : ""));
        if (step == dialogkit::SpoolStep::kRelease) {
            const HENHMETAFILE emf = ::CloseEnhMetaFile(dc);
            drawn = TextsOf(emf);
            ::DeleteEnhMetaFile(emf);
        }
        return step == dialogkit::SpoolStep::kStartDoc ? answer.startDoc : 1;
    };
    if (!answer.boxes.empty()) seams->AnswerBox(IDOK);
    way.ask(*this);
    EXPECT_EQ(steps, answer.steps);
    EXPECT_EQ(Shown(), answer.boxes);
    if (answer.steps.size() > 3) {
        for (const char* text : {"Zeilen", "Gedruckt am ", "01\nKäse", "03\nBrot\n2.10", "» [B] - [Haushalt]--> Milch",
                                 "A\nObst", "G\nBad", "Summe", "Insgesammt", "03  Brot\nInfo\nQuelle 1: brot.txt\nQuelle 2: brot.html", "Beleg\nQuelle 2: quittung.pdf",
                                 "Tarvelo – Seite 1 von 1"})
            EXPECT_NE(drawn.find(text), std::string::npos) << text << " is not among\n" << drawn;
    }
    EXPECT_EQ(WholeList(), before);
    EXPECT_TRUE(dlg->m_bModified);
    EXPECT_TRUE(TimersRunning()) << "the background work resumed";
    dlg->OnUndo();
    EXPECT_EQ(Text(ids::Goods(0)), "") << "the typing is still the step to take back";
}

const std::vector<std::string> kPrinted = {"StartDoc Tarvelo - Zeilen", "StartPage", "EndPage", "EndDoc", "Release"};

INSTANTIATE_TEST_SUITE_P(PrintingWays, PrintingCommand, ::testing::Combine(
    ::testing::Values(
        Way{"CtrlP", [](auto& t) { t.Press(ids::Goods(2), 'P', {VK_CONTROL}); }},
        Way{"Menu", [](auto& t) {
            t.seams->menuAnswer = [](HMENU) { return kMenuIdBase + static_cast<UINT>(Command::kPrint); };
            t.Press(ids::Selection(2, 0), VK_APPS); }},
        Way{"Button", [](auto& t) { ::SendMessageA(t.dlg->Item(ids::kPrint), BM_CLICK, 0, 0); }}),
    ::testing::Values(
        Answer{"Cancel", false, 0, 1, {}, {}},
        Answer{"Ok", true, 0, 1, kPrinted, {}},
        Answer{"NoPrinter", false, PDERR_NODEFAULTPRN, 1, {}, {{"Es ist kein Drucker eingerichtet.", MB_OK}}},
        Answer{"StartDocRefused", true, 0, 0, {"StartDoc Tarvelo - Zeilen", "AbortDoc", "Release"},
               {{"Die Liste konnte nicht gedruckt werden !", MB_OK}}})),
    [](const auto& info) { return std::string(std::get<0>(info.param).name) + std::get<1>(info.param).name; });

}  // namespace
