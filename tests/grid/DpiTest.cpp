// The window laid out at the screen's dots per inch: 96 in the suite, and
// 120 and 144 in runs of this program that GridDpi starts with the
// prefix's LogPixels set (a program reads it when it starts). At each, the
// window's own geometry lies over the controls the platform laid out, hit
// tests hit what the user sees up to its edges and nothing beside it, and
// the window fits a 1280 x 1024 screen.
#include "dialogkit/GdiGuards.h"
#include "grid/GridWindow.h"

#include <cstdlib>
#include <map>
#include <span>

namespace {

constexpr const char* kDpiVariable = "TARVELO_TEST_DPI";  // the dpi a child run must find
constexpr DWORD kChildLimitMs = 100000;  // two of them well within the suite's limit

// The dpi a program started from now on lays out at, and its window tests expect.
void SetDpi(DWORD dpi) {
    ::RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    ::SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
}

// This program's window tests in a new process, which lays out at the given
// dpi: its exit code (0: all passed). Its output joins ours.
DWORD RunWindowTests(int dpi) {
    char exe[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string command = std::string("\"") + exe + "\" --gtest_filter=GridDpiWindow.*:*GridSelectionLook.*";
    SetDpi(dpi);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    DWORD code = ~0u;
    if (::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
        // A run that hangs is ended: a failure, and no hold-up for the suite.
        if (::WaitForSingleObject(child.hProcess, kChildLimitMs)) ::TerminateProcess(child.hProcess, code);
        else ::GetExitCodeProcess(child.hProcess, &code);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
    }
    return code;
}

}  // namespace

TEST(GridDpi, LaysOutAt120And144) {
    for (const int dpi : {120, 144}) EXPECT_EQ(RunWindowTests(dpi), 0u) << "the window tests at " << dpi << " dpi";
    SetDpi(USER_DEFAULT_SCREEN_DPI);  // what the other test programs expect
}

class GridDpiWindow : public GridWindowTest {};

TEST_F(GridDpiWindow, GeometryLiesOverTheControls) {
    Open();
    Show();
    const int dpi = std::getenv(kDpiVariable) ? std::atoi(std::getenv(kDpiVariable)) : USER_DEFAULT_SCREEN_DPI;
    ASSERT_EQ(::GetDeviceCaps(dialogkit::ClientDc(nullptr).Get(), LOGPIXELSY), dpi) << "the dpi the run was started with";
    const RECT frame = RectInParent(Wnd());  // only its size counts here
    EXPECT_TRUE(frame.right - frame.left <= 1280 && frame.bottom - frame.top <= 1024) << "fits the screen";
    // The statics and group boxes (the controls without an id) by text, left to right.
    std::map<std::string, std::vector<RECT>> texts;
    for (HWND child = ::GetWindow(Wnd(), GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == -1) texts[dialogkit::WindowText(child, 256)].push_back(RectInParent(child));
    }
    const grid::GridGeometry g = Geometry();
    const RECT gap{texts["Liste"].at(0).right, 0, texts["A"].at(0).left, 0};  // between the list and column A
    for (int row = 0; row < ids::kRows; ++row) {
        SCOPED_TRACE(testing::Message() << "row " << row + 1);
        const RECT &s = g.square[row], button = ItemRect(ids::Selection(row, 0));
        const RECT number = texts[std::to_string(101 + row).substr(1)].at(0);  // "01".."20"
        // The square spans the row's buttons in the strip at the right edge;
        // the label holds the row's number, and ends where the goods begin.
        EXPECT_TRUE(s.top == button.top && s.bottom == button.bottom && Inside(s, texts[""].at(0)));
        EXPECT_TRUE(Inside(number, g.rowLabel[row]) && grid::RowLabelAt(g, Centre(number)) == row);
        EXPECT_LE(g.rowLabel[row].right, ItemRect(ids::Goods(row)).left);
        if (row + 1 == ids::kRows) continue;
        // The separator below the row lies in the gap between its controls.
        const int y = g.separatorLineY[row];
        EXPECT_TRUE(button.bottom <= y && y < ItemRect(ids::Goods(row + 1)).top);
        EXPECT_EQ(grid::SeparatorAt(g, {(gap.left + gap.right) / 2, y}), row);
    }
    for (int column = 0; column < ids::kColumns; ++column) {
        const RECT &header = g.columnHeader[column], box = texts[ids::ColumnLetter(column)].at(0);
        const RECT choice = texts["Auswahl :"].at(column);
        EXPECT_TRUE(header.left >= box.left && header.right <= box.right && Inside(choice, header) &&
                    grid::ColumnHeaderAt(g, Centre(choice)) == column) << "column " << column;
    }
    // The grid lines run across the goods and price edits; a row drag goes
    // on up to the goods.
    EXPECT_LE(std::abs(g.gridLine.from - ItemRect(ids::Goods(0)).left), 1);
    EXPECT_LE(std::abs(g.gridLine.to - ItemRect(ids::Price(0)).right), 1);
    EXPECT_EQ(g.rowLabelBand.right, g.goods[0].left);
    // Each entry of the five tables is hit up to its edges (so its band,
    // which a hit test looks at first, holds it); the pixels beside them hit
    // nothing (the seam between two rows is no row's).
    const std::tuple<const char*, int (*)(const grid::GridGeometry&, POINT), std::span<const RECT>> tables[] = {
        {"number", grid::RowLabelAt, g.rowLabel}, {"goods", grid::GoodsAt, g.goods}, {"square", grid::SquareAt, g.square},
        {"header", grid::ColumnHeaderAt, g.columnHeader}, {"separator", grid::SeparatorAt, g.separator}};
    for (const auto& [what, at, table] : tables) {
        for (int i = 0; i < static_cast<int>(table.size()); ++i) {
            const RECT& r = table[i];
            const std::pair<POINT, int> hits[] = {{{r.left, r.top}, i}, {{r.right - 1, r.bottom - 1}, i},
                {{r.left - 1, r.top}, -1}, {{r.right, r.top}, -1}, {{r.left, r.top - 1}, -1}, {{r.left, r.bottom}, -1}};
            for (const auto& [pt, hit] : hits) EXPECT_EQ(at(g, pt), hit) << what << " " << i + 1 << " at " << pt.x << "," << pt.y;
        }
    }
}
