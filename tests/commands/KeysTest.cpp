// Every action from the keyboard, through its key or the context menu,
// against the same action by the mouse, and taken back and brought again;
// where the focus goes; the keys that must do nothing; and the names the
// selection buttons carry for screen readers.
#include "commands/Commands.h"
#include "commands/CommandsFixture.h"

// An action by its key (or the context menu), and by the mouse where it
// has a gesture.
struct ActionCase {
    const char* name;
    std::function<void(CommandsTest&)> keys, mouse;
    std::function<void(ScriptedSeams&)> answers = [](ScriptedSeams&) {};
};

class CommandsKeys : public CommandsTest, public ::testing::WithParamInterface<ActionCase> {
protected:
    // What an action leaves: the list, what the shell was asked to open,
    // the dialogs and message boxes shown.
    auto Outcome(const std::function<void(CommandsTest&)>& action) {
        Reopen([this] { OpenList(); });
        GetParam().answers(*seams);
        action(*this);
        return std::tuple(WholeList(), seams->shellOpened, seams->modalTemplates, Shown());
    }
};

// Key and mouse leave the same; one undo takes the action back whole, and
// redo brings it again.
TEST_P(CommandsKeys, KeyAndMouseDoTheSameAndUndoTakesItBack) {
    OpenList();
    const List before = WholeList();
    const auto byKeys = Outcome(GetParam().keys);
    const List after = std::get<0>(byKeys);
    EXPECT_TRUE(after != before || !std::get<1>(byKeys).empty()) << "the action did something";
    if (after != before) {
        Press(ids::Goods(0), 'Z', {VK_CONTROL});
        EXPECT_EQ(WholeList(), before) << "undone";
        EXPECT_EQ(dlg->m_rowInfo[2].strSource1, "brot.txt") << "row 03's source undone";
        Press(ids::Selection(4, 4), 'Y', {VK_CONTROL});
        EXPECT_EQ(WholeList(), after) << "redone";
    }
    if (GetParam().mouse) {
        EXPECT_EQ(byKeys, Outcome(GetParam().mouse)) << "by the mouse";
    }
}

constexpr int kCtrl = VK_CONTROL, kShift = VK_SHIFT, kAlt = VK_MENU;
void LinkAnswers(ScriptedSeams& s) {
    s.AnswerFile(ListDocument("Haushalt"));
    s.AnswerDialog(Pressing(IDOK));
}

INSTANTIATE_TEST_SUITE_P(CommandsFromTheKeyboard, CommandsKeys, ::testing::Values(
    ActionCase{"Typing", [](auto& t) { ::SetWindowTextA(t.dlg->Item(ids::Goods(0)), "K\xE4se"); }, nullptr},
    ActionCase{"ToggleClick", [](auto& t) { ::SendMessageA(t.dlg->Item(ids::Selection(2, 1)), BM_CLICK, 0, 0); }, nullptr},
    ActionCase{"RowDown", [](auto& t) { t.Press(ids::Goods(2), VK_DOWN, {kAlt}); },
               [](auto& t) { t.Drag({t.Label(2), t.Label(3)}); }},
    ActionCase{"LinkedRowCopied", [](auto& t) { t.Press(ids::Goods(6), 'C', {kCtrl, kShift}); t.Press(ids::Price(2), 'V', {kCtrl, kShift}); },
               [](auto& t) { t.Drag({t.Label(6), t.Label(2)}, MK_CONTROL); }},
    ActionCase{"ColumnRight", [](auto& t) { t.Press(ids::Name(0), VK_RIGHT, {kAlt}); },
               [](auto& t) { t.Drag({t.Header(0), t.Header(1)}); }},
    ActionCase{"ColumnCopy", [](auto& t) { t.Press(ids::Name(6), 'C', {kAlt, kShift}); t.Press(ids::Selection(9, 0), 'V', {kAlt, kShift}); },
               [](auto& t) { t.Drag({t.Header(6), t.Header(0)}, MK_CONTROL); }},
    ActionCase{"ClearRow", [](auto& t) { t.Press(ids::Selection(6, 3), VK_DELETE, {kCtrl}); },
               [](auto& t) { t.Mouse(WM_RBUTTONUP, t.Label(6)); }, [](auto& s) { s.AnswerBox(IDYES); }},
    ActionCase{"Separator", [](auto& t) { t.Press(ids::Goods(4), 'T', {kCtrl}); },
               [](auto& t) { t.Mouse(WM_LBUTTONDOWN, Centre(t.Geometry().separator[4]), MK_LBUTTON); }},
    ActionCase{"LinkNext", [](auto& t) { t.Press(ids::Selection(6, 0), VK_NEXT, {kCtrl}); },
               [](auto& t) { t.Mouse(WM_LBUTTONUP, Centre(t.Geometry().goods[6])); }},
    ActionCase{"LinkPrevious", [](auto& t) { t.Press(ids::Selection(6, 0), VK_PRIOR, {kCtrl}); },
               [](auto& t) { t.Mouse(WM_RBUTTONUP, Centre(t.Geometry().goods[6])); }},
    ActionCase{"FirstSource", [](auto& t) { t.Press(ids::Goods(2), '1', {kCtrl}); },
               [](auto& t) { t.Mouse(WM_LBUTTONDBLCLK, t.Square(2), MK_LBUTTON | MK_SHIFT); }},
    ActionCase{"SecondSource", [](auto& t) { t.Press(ids::Price(2), '2', {kCtrl}); },
               [](auto& t) { t.Mouse(WM_RBUTTONDBLCLK, t.Square(2), MK_RBUTTON | MK_SHIFT); }},
    ActionCase{"RowInfo", [](auto& t) { t.Press(ids::Goods(2), VK_RETURN, {kAlt}); },
               [](auto& t) { t.Mouse(WM_LBUTTONDBLCLK, t.Square(2), MK_LBUTTON); },
               [](auto& s) { s.AnswerDialog([](HWND h) { ::SetDlgItemTextA(h, ids::kInfoText, "Neu"); Pressing(IDOK)(h); }); }},
    ActionCase{"LinkRow", [](auto& t) { t.Press(ids::Goods(4), 'L', {kCtrl}); },
               [](auto& t) { t.Mouse(WM_LBUTTONDBLCLK, t.Label(4), MK_LBUTTON); }, LinkAnswers},
    ActionCase{"Menu", [](auto& t) {
        t.seams->menuAnswer = [](HMENU menu) { return ::GetMenuItemID(menu, 7); };  // below the edit's own
        t.Press(ids::Goods(2), VK_F10, {kShift}); },
               [](auto& t) { t.Drag({t.Label(2), t.Label(3)}); }}),
    [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

// A field the command disables hands the focus on, also after undo and redo.
TEST_F(CommandsTest, AFieldACommandDisablesHandsTheFocusToTheRowsFirstButton) {
    // Linked row 07 copied onto row 03 while goods 03 has the focus; undone,
    // and redone while price 03 has it.
    OpenList();
    FirstPaint();
    Press(ids::Goods(6), 'C', {VK_CONTROL, VK_SHIFT});
    ::SetFocus(Item(ids::Goods(2)));
    Press(ids::Goods(2), 'V', {VK_CONTROL, VK_SHIFT});
    EXPECT_EQ(::GetFocus(), Item(ids::Selection(2, 0))) << "after the copy";
    Press(ids::Selection(2, 0), 'Z', {VK_CONTROL});
    ::SetFocus(Item(ids::Price(2)));
    Press(ids::Price(2), 'Y', {VK_CONTROL});
    EXPECT_EQ(::GetFocus(), Item(ids::Selection(2, 0))) << "after the redo";
}

TEST_F(CommandsTest, SelectionButtonsAreNamedByRowGoodsColumnAndName) {
    OpenList();
    FirstPaint();
    Type(ids::Goods(2), "Milch");
    Type(ids::Name(0), "Obst");
    TickSums();
    EXPECT_EQ(Text(ids::Selection(2, 0)), "03 Milch \x96 A Obst");
    EXPECT_EQ(Text(ids::Selection(6, 6)), "07 [B] - [Haushalt]--> Milch \x96 G Bad");
    EXPECT_EQ(Text(ids::Selection(19, 3)), "20 \x96 D");
    // A name never makes a mnemonic: Alt+M switches no button of "H&M".
    Type(ids::Goods(0), "H&M");
    Type(ids::Name(1), "R&D");
    TickSums();
    const List before = WholeList();
    MSG altM{Item(ids::Price(4)), WM_SYSCHAR, 'm', 0, 0, {}};
    ::IsDialogMessageA(Wnd(), &altM);
    EXPECT_EQ(WholeList(), before);
    for (int column = 0; column < ids::kColumns; ++column) {
        const std::string name = column == 0 ? "Obst" : column == 1 ? "R&&D" : column == 6 ? "Bad" : "";
        EXPECT_EQ(Text(ids::Selection(0, column)), "01 H&&M \x96 " + std::string(ids::ColumnLetter(column)) + (name.empty() ? "" : " " + name));
    }
}

TEST_F(CommandsTest, AfterAnAltChordTheNextKeyGoesWhereTheFocusIs) {
    // Real key input, down and up, through the dialog's own loop; Escape
    // last leaves a menu mode the Alt key may have entered (else it asks
    // to save the moved row, and Cancel keeps the window).
    OpenList();
    seams->AnswerBox(IDCANCEL);
    FirstPaint();
    ::SetForegroundWindow(Wnd());
    ::SetFocus(Item(ids::Goods(2)));
    std::vector<INPUT> keys;
    for (const auto& [key, up] : std::vector<std::pair<WORD, bool>>{
             {VK_MENU, false}, {VK_DOWN, false}, {VK_DOWN, true}, {VK_MENU, true}, {'Q', false}, {'Q', true},
             {VK_ESCAPE, false}, {VK_ESCAPE, true}}) {
        keys.push_back(INPUT{INPUT_KEYBOARD, {}});
        keys.back().ki = KEYBDINPUT{key, 0, up ? DWORD{KEYEVENTF_KEYUP} : 0, 0, 0};
    }
    ::SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    const auto typed = [&] {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message != WM_TIMER && !::IsDialogMessageA(Wnd(), &msg)) ::DispatchMessageA(&msg);
        }
        return Text(ids::Goods(3)) == "q";
    };
    EXPECT_TRUE(PumpUntil(typed, 2000)) << "row 04 holds " << Text(ids::Goods(3));
}

TEST_F(CommandsTest, ArrowsAloneMoveTheFocusAndNoKeyActsBehindABox) {
    OpenList();
    ::SetFocus(Item(ids::Goods(2)));
    Press(ids::Goods(2), VK_DOWN);
    EXPECT_EQ(::GetFocus(), Item(ids::Goods(3))) << "Down";
    Press(ids::Goods(3), VK_DOWN, {kShift});
    EXPECT_EQ(::GetFocus(), Item(ids::Goods(3))) << "Shift+Down selects text";
    const List before = WholeList();
    seams->whileShown = [this] {
        Press(ids::Goods(4), 'T', {kCtrl});
        Press(ids::Goods(3), VK_DOWN);
    };
    seams->AnswerBox(IDNO);
    Press(ids::Selection(6, 3), VK_DELETE, {kCtrl});
    EXPECT_EQ(WholeList(), before) << "Ctrl+T while the clear question waits";
    EXPECT_EQ(::GetFocus(), Item(ids::Goods(3))) << "Down while the clear question waits";
    dlg->EnableRowEdits(5, FALSE);  // rows 06 and 07 as two linked rows
    Press(ids::Goods(4), VK_DOWN);
    EXPECT_EQ(::GetFocus(), Item(ids::Goods(7))) << "Down from row 05 over two linked rows";
}

TEST_F(CommandsTest, ClearingALinkedRowAsksByItsNumberAndEndsTheLink) {
    OpenList();
    seams->AnswerBox(IDYES);
    Press(ids::Selection(6, 3), VK_DELETE, {kCtrl});
    EXPECT_EQ(Shown(), (std::vector<Box>{{"Reihe Nummer 07  löschen ?", MB_YESNO}}));
    EXPECT_EQ(Row(6).goods + "|" + Row(6).price, "|") << "row 07";
    EXPECT_FALSE(Row(6).linked) << "row 07";
    EXPECT_EQ(dlg->m_rowLinkFile[6], "") << "row 07 no longer fills from Haushalt";
}

TEST(CommandsMenuTable, WhatAppliesAtTheEdges) {
    const auto at = [](int row, int copied) { return CommandState{{row, 0, false}, copied}; };
    const struct { const char* what; Command command; CommandState state; bool applies; } rows[] = {
        {"row 19 down", Command::kRowDown, at(18, -1), true},
        {"row 20 down: there is no row below", Command::kRowDown, at(19, -1), false},
        {"row 05 pasted onto row 06", Command::kPasteRow, at(5, 4), true},
        {"row 05 pasted onto itself", Command::kPasteRow, at(4, 4), false},
    };
    for (const auto& r : rows) EXPECT_EQ(Applies(r.command, r.state), r.applies) << r.what;
}

