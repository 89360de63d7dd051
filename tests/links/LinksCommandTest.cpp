// The link command with its file dialog and the column-pick dialog.
#include "../res/resource.h"
#include "links/ColumnPickDlg.h"
#include "links/LinksFixture.h"

namespace {

constexpr DWORD kLinkFlags = OFN_READONLY | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

// What the pick dialog showed when it opened.
struct PickView {
    std::string names[ids::kColumns];
    std::string sums[ids::kColumns];
    int checked[ids::kColumns] = {};
};

PickView ViewOf(HWND pick) {
    PickView view;
    for (int column = 0; column < ids::kColumns; ++column) {
        view.names[column] = dialogkit::WindowText(::GetDlgItem(pick, ids::kPickNameBase + column), 260);
        view.sums[column] = dialogkit::WindowText(::GetDlgItem(pick, ids::kPickSumBase + column), 260);
        view.checked[column] =
            static_cast<int>(::SendDlgItemMessageA(pick, ids::kPickChoiceBase + column, BM_GETCHECK, 0, 0));
    }
    return view;
}

}  // namespace

class LinksCommand : public LinksTest {
protected:
    // Answers the pick dialog: notes what it shows, clicks the column's
    // button (none for -1) and ends it with OK or Cancel.
    void AnswerPick(int column, int end, PickView* seen = nullptr) {
        seams->AnswerModal([this, column, end, seen](dialogkit::Dialog& dialog) {
            return DriveModeless(dialog, Wnd(), [column, end, seen](HWND pick) {
                if (seen) *seen = ViewOf(pick);
                if (column >= 0) ::SendDlgItemMessageA(pick, ids::kPickChoiceBase + column, BM_CLICK, 0, 0);
                ::SendMessageA(pick, WM_COMMAND, MAKEWPARAM(end, BN_CLICKED), 0);
            });
        });
    }
};

TEST_F(LinksCommand, NewLinkMarksTheDocumentSoClosingAsks) {
    const std::string doc = Haushalt();
    seams->AnswerFile(doc);
    PickView seen;
    AnswerPick(1, IDOK, &seen);
    dlg->LinkRow(0);

    ASSERT_EQ(seams->fileRequests.size(), 1u);
    const dialogkit::FileDialogRequest& request = seams->fileRequests[0];
    EXPECT_TRUE(request.open);
    EXPECT_EQ(request.initialName, "") << "an unlinked row starts without a name";
    EXPECT_EQ(request.defaultExt, "");
    EXPECT_EQ(request.flags, kLinkFlags);
    EXPECT_EQ(request.filter, "Quentaro-Datei|*.pgx|Alle Dateien|*.*||");
    EXPECT_EQ(seams->modalTemplates, std::vector<UINT>{IDD_COLUMNPICK});
    EXPECT_EQ(seen.names[1], "Lebensmittel");
    EXPECT_EQ(seen.sums[1], "10.00");

    EXPECT_EQ(dlg->m_strLinkPickPath, doc);
    EXPECT_EQ(dlg->m_rowLinkFile[0], doc);
    EXPECT_EQ(dlg->m_rowLinkColumn[0], 1);
    EXPECT_EQ(Text(ids::Goods(0)), "[B] - [Haushalt]--> Lebensmittel");
    EXPECT_EQ(Text(ids::Price(0)), "10.00");
    EXPECT_FALSE(Enabled(ids::Goods(0)));
    EXPECT_FALSE(Enabled(ids::Price(0)));
    EXPECT_TRUE(dlg->m_bModified);

    // So closing asks before the link is lost; the timer refresh keeps the
    // flag as it finds it.
    dlg->m_bModified = FALSE;
    TickLinks();
    EXPECT_FALSE(dlg->m_bModified);
    dlg->m_bModified = TRUE;
    seams->AnswerBox(IDCANCEL);
    Click(IDOK);
    EXPECT_FALSE(dlg->HasEnded());
    ASSERT_EQ(seams->boxes.size(), 1u);
}

TEST_F(LinksCommand, LinkingAgainStartsAtColumnAAndAtTheCurrentLink) {
    const std::string first = Haushalt();
    const std::string second = Path("Urlaub.pgx");
    Write(second, {{4, {"Hotel", "480.00"}}});
    Link(2, first, 3);
    TickLinks();
    dlg->m_bModified = TRUE;

    seams->AnswerFile(second);
    PickView seen;
    AnswerPick(4, IDOK, &seen);
    dlg->LinkRow(2);
    ASSERT_EQ(seams->fileRequests.size(), 1u);
    EXPECT_EQ(seams->fileRequests[0].initialName, first);
    EXPECT_EQ(seen.checked[0], BST_CHECKED) << "column A, whatever the row's column";
    for (int column = 1; column < ids::kColumns; ++column) EXPECT_EQ(seen.checked[column], BST_UNCHECKED);
    EXPECT_EQ(dlg->m_rowLinkFile[2], second);
    EXPECT_EQ(dlg->m_rowLinkColumn[2], 4);
    EXPECT_EQ(Text(ids::Goods(2)), "[E] - [Urlaub]--> Hotel");
    EXPECT_EQ(Text(ids::Price(2)), "480.00");
    EXPECT_TRUE(dlg->m_bModified) << "a modified document stays modified";

    // OK without touching a button takes column A.
    seams->AnswerFile(first);
    AnswerPick(-1, IDOK);
    dlg->LinkRow(2);
    EXPECT_EQ(seams->fileRequests[1].initialName, second);
    EXPECT_EQ(dlg->m_rowLinkColumn[2], 0);
    EXPECT_EQ(Text(ids::Goods(2)), "[A] - [Haushalt]--> Drogerie");
}

TEST_F(LinksCommand, CancelInEitherDialogKeepsTheLink) {
    const std::string first = Haushalt();
    const std::string second = Path("Urlaub.pgx");
    Write(second, {{4, {"Hotel", "480.00"}}});
    Link(2, first, 3);
    TickLinks();
    const std::string goods = Text(ids::Goods(2));

    seams->CancelFile();
    dlg->LinkRow(2);
    EXPECT_TRUE(seams->modalTemplates.empty()) << "no pick dialog after a cancelled file dialog";

    seams->AnswerFile(second);
    AnswerPick(6, IDCANCEL);
    dlg->LinkRow(2);
    EXPECT_EQ(seams->modalTemplates.size(), 1u);
    EXPECT_EQ(dlg->m_rowLinkFile[2], first);
    EXPECT_EQ(dlg->m_rowLinkColumn[2], 3);
    EXPECT_EQ(Text(ids::Goods(2)), goods);
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(LinksCommand, PickDialogShowsTheCompanionsValuesWhenThereIsOne) {
    const std::string doc = Haushalt();
    const std::string companion = TestDir() + "\\Haushalt.pgw";
    Write(companion, {{1, {"Lebensmittel frisch", "25.50"}}, {3, {"Garten", "1234567.89"}}});

    seams->AnswerFile(doc);
    PickView withCompanion;
    AnswerPick(-1, IDCANCEL, &withCompanion);
    dlg->LinkRow(0);
    EXPECT_EQ(withCompanion.names[1], "Lebensmittel frisch");
    EXPECT_EQ(withCompanion.sums[1], "25.50");
    EXPECT_EQ(withCompanion.names[3], "Garten");
    EXPECT_EQ(withCompanion.sums[3], "1234567.89");
    EXPECT_EQ(withCompanion.names[0], "") << "only the companion is read";

    RemoveFile(companion);
    seams->AnswerFile(doc);
    PickView saved;
    AnswerPick(-1, IDCANCEL, &saved);
    dlg->LinkRow(0);
    const char* names[] = {"Drogerie", "Lebensmittel", "", "", "", "", "Sonstiges"};
    const char* sums[] = {"3.10", "10.00", "", "", "", "", "7.70"};
    for (int column = 0; column < ids::kColumns; ++column) {
        EXPECT_EQ(saved.names[column], names[column]) << column;
        EXPECT_EQ(saved.sums[column], sums[column]) << column;
    }

    // A file that is no document: all empty; a link can be made all the same.
    const std::string notes = Path("Notizen.txt");
    WriteFileBytes(notes, "Einkaufen\r\nBrot\r\n");
    seams->AnswerFile(notes);
    PickView none;
    AnswerPick(2, IDOK, &none);
    dlg->LinkRow(0);
    for (int column = 0; column < ids::kColumns; ++column) {
        EXPECT_EQ(none.names[column], "") << column;
        EXPECT_EQ(none.sums[column], "") << column;
    }
    EXPECT_EQ(Text(ids::Goods(0)), "[C] - [Notizen]--> ");
    EXPECT_EQ(Text(ids::Price(0)), "");
}

// The pick dialog's template, control by control, in dialog units.
TEST_F(LinksCommand, PickDialogTemplate) {
    CColumnPickDlg pick(*dlg);
    EXPECT_EQ(pick.m_nColumn, -1);
    const HWND h = pick.CreateModeless(Wnd());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(dialogkit::WindowText(h, 260), "W\xE4hle gew\xFCnschte Reihe !");
    const LONG style = ::GetWindowLongA(h, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client;
    ::GetClientRect(h, &client);
    RECT size{0, 0, 334, 110};
    ::MapDialogRect(h, &size);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);

    struct Expected {
        int id;
        const char* cls;
        const char* text;
        LONG type;  // the low four style bits
        LONG set;   // further bits that must be set
        bool tabStop;
        bool group;
        int x, y, w, h;
    };
    std::vector<Expected> expected = {
        {IDOK, "Button", "OK", BS_DEFPUSHBUTTON, 0, true, false, 109, 89, 50, 14},
        {IDCANCEL, "Button", "Cancel", BS_PUSHBUTTON, 0, true, false, 175, 89, 50, 14},
    };
    for (int c = 0; c < ids::kColumns; ++c) {
        expected.push_back({ids::kPickSumBase + c, "Static", "", SS_RIGHT, SS_CENTERIMAGE | SS_SUNKEN, false, c == 0,
                            17 + 44 * c, 22, 36, 12});
    }
    for (int c = 0; c < ids::kColumns; ++c) {
        expected.push_back({ids::kPickNameBase + c, "Static", "", SS_LEFT, SS_CENTERIMAGE | SS_SUNKEN, false, c == 0,
                            17 + 44 * c, 39, 36, 12});
    }
    const char* letters[] = {"A", "B", "C", "D", "E", "F", "G"};
    for (int c = 0; c < ids::kColumns; ++c) {
        expected.push_back({-1, "Button", letters[c], BS_GROUPBOX, 0, false, false, 13 + 44 * c, 7, 44, 76});
    }
    for (int c = 0; c < ids::kColumns; ++c) {
        // The button control gives a checked radio button the tab stop, and
        // column A is checked when the dialog opens.
        expected.push_back({ids::kPickChoiceBase + c, "Button", "", BS_AUTORADIOBUTTON, BS_PUSHLIKE, c == 0, c == 0,
                            21 + 44 * c, 62, 28, 14});
    }

    size_t index = 0;
    for (HWND child = ::GetWindow(h, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT), ++index) {
        ASSERT_LT(index, expected.size()) << "more controls than the template should have";
        const Expected& e = expected[index];
        const LONG s = ::GetWindowLongA(child, GWL_STYLE);
        char cls[32] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        EXPECT_EQ(static_cast<int>(static_cast<short>(::GetDlgCtrlID(child))), e.id) << index;
        EXPECT_STREQ(cls, e.cls) << index;
        EXPECT_EQ(dialogkit::WindowText(child, 260), e.text) << index;
        EXPECT_EQ(s & 0x0F, e.type) << index;
        EXPECT_EQ(s & e.set, e.set) << index;
        EXPECT_EQ((s & WS_TABSTOP) != 0, e.tabStop) << index;
        if (std::string(e.cls) == "Button" && e.type == BS_AUTORADIOBUTTON) {
            EXPECT_EQ((s & WS_GROUP) != 0, e.group) << index;
        }
        // Position and size convert separately, as the dialog manager does.
        RECT units{e.x, e.y, e.w, e.h};
        ::MapDialogRect(h, &units);
        const RECT want{units.left, units.top, units.left + units.right, units.top + units.bottom};
        RECT got;
        ::GetWindowRect(child, &got);
        ::MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&got), 2);
        EXPECT_EQ(got.left, want.left) << index;
        EXPECT_EQ(got.top, want.top) << index;
        EXPECT_EQ(got.right, want.right) << index;
        EXPECT_EQ(got.bottom, want.bottom) << index;
    }
    EXPECT_EQ(index, expected.size());
}

TEST_F(LinksCommand, PickDialogStoresTheCheckedColumnOnOKOnly) {
    const std::string doc = Haushalt();
    dlg->m_strLinkPickPath = doc;
    for (int column = 0; column < ids::kColumns; ++column) {
        CColumnPickDlg pick(*dlg);
        const INT_PTR result = DriveModeless(pick, Wnd(), [column](HWND h) {
            ::SendDlgItemMessageA(h, ids::kPickChoiceBase + column, BM_CLICK, 0, 0);
            for (int other = 0; other < ids::kColumns; ++other) {
                EXPECT_EQ(::SendDlgItemMessageA(h, ids::kPickChoiceBase + other, BM_GETCHECK, 0, 0),
                          other == column ? BST_CHECKED : BST_UNCHECKED)
                    << column << " " << other;
            }
            ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(pick.m_nColumn, column);
    }
    CColumnPickDlg cancelled(*dlg);
    EXPECT_EQ(DriveModeless(cancelled, Wnd(),
                            [](HWND h) {
                                ::SendDlgItemMessageA(h, ids::kPickChoiceBase + 3, BM_CLICK, 0, 0);
                                ::SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
                            }),
              IDCANCEL);
    EXPECT_EQ(cancelled.m_nColumn, -1);
}
