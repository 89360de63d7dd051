// The clipboard with the window, with German number settings: a range
// pasted over a linked row as one step, by key and by menu, a comma typed
// into a price, and a price that does not count as written on the window's
// pixels. (The list copied is read by a real X client end to end.)
#include "commands/CommandsFixture.h"

#include <cstring>
#include <string_view>

namespace {

constexpr int kCtrl = VK_CONTROL, kShift = VK_SHIFT;

void WriteClipboard(const std::string& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    std::memcpy(::GlobalLock(memory), text.data(), text.size());
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

std::string LocaleText(LCTYPE type) {
    char value[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value);
    return value;
}

}  // namespace

// German number settings while a test runs: 1.234,50.
class ClipboardWindow : public CommandsTest {
protected:
    void SetUp() override {
        CommandsTest::SetUp();
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, ",");
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, ".");
    }
    void TearDown() override {
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, m_decimal.c_str());
        ::SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, m_thousands.c_str());
        CommandsTest::TearDown();
    }

private:
    std::string m_decimal = LocaleText(LOCALE_SDECIMAL), m_thousands = LocaleText(LOCALE_STHOUSAND);
};

TEST_F(ClipboardWindow, PastesARangeOverALinkedRowAsOneStep) {
    // One text goes to the edit's own paste: the menu's at once, the key's
    // with the character that follows it, which no test sends.
    // Ctrl+V, and the menu's "Einfügen" (found by its text).
    const auto byKey = [this](int id) { Press(id, 'V', {kCtrl}); };
    const auto byMenu = [this](int id) {
        seams->menuAnswer = [](HMENU menu) {
            for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
                char line[128] = {};
                ::GetMenuStringA(menu, static_cast<UINT>(i), line, sizeof line, MF_BYPOSITION);
                if (std::string_view(line).starts_with("Einfügen")) return ::GetMenuItemID(menu, i);
            }
            return 0u;
        };
        Press(id, VK_APPS);
    };
    for (const auto& [name, paste, oneText] : {std::tuple{"key", std::function<void(int)>(byKey), ""}, {"menu", byMenu, "Milch 1,50"}}) {
        Reopen([this] { OpenList(); });
        const List before = WholeList();
        const RowView linked = Row(6);
        WriteClipboard("Milch\t1.234,50\r\nKäse\t2\tmehr\r\nWurst\r\n");
        paste(ids::Goods(5));
        EXPECT_EQ(Row(5).goods + "|" + Row(5).price, "Milch|1234.50") << name << ": row 06";
        EXPECT_EQ(Row(6), linked) << name << ": row 07 keeps its link";
        EXPECT_EQ(Row(7).goods + "|" + Row(7).price, "Käse|2") << name << ": row 08";
        EXPECT_EQ(Row(8).goods + "|" + Row(8).price, "Wurst|") << name << ": row 09";
        EXPECT_EQ(Text(ids::kTotal), "1239.79") << name << ": the sums follow at once";
        Press(ids::Goods(5), 'Z', {kCtrl});
        EXPECT_EQ(WholeList(), before) << name << ": one undo";
        seams->AnswerBox(IDOK);
        paste(ids::Price(18));
        EXPECT_EQ(Shown(), (std::vector<Box>{{"Es wurden nur 2 von 3 Zeilen eingefügt.", MB_OK}})) << name;
        EXPECT_EQ(Row(18).price + "|" + Row(19).price, "Milch|Käse") << name << ": into prices, rows 19 and 20";
        WriteClipboard("Milch 1,50");
        paste(ids::Goods(0));
        EXPECT_EQ(Row(0).goods + "|" + Row(1).goods, oneText + std::string("|")) << name << ": one text";
    }
}

TEST_F(ClipboardWindow, ACommaTypedIntoAPriceIsAPoint) {
    for (const auto& [id, shown] : {std::pair{ids::Price(0), "1.5"}, {ids::Goods(0), "1,5"}}) {
        Reopen([this] { OpenList(); });
        FirstPaint();
        ::SetFocus(Item(id));
        for (const char c : std::string("1,5")) {
            MSG msg{Item(id), WM_CHAR, static_cast<WPARAM>(c), 0, 0, {}};
            ::IsDialogMessageA(Wnd(), &msg);
        }
        EXPECT_EQ(Text(id), shown);
        TickSums();
        EXPECT_EQ(Text(ids::kTotal), id == ids::Price(0) ? "4.79" : "3.29") << shown;
        Press(id, 'Z', {kCtrl});
        EXPECT_EQ(Text(id), "") << shown << ": one step";
    }
}

TEST_F(ClipboardWindow, APriceThatDoesNotCountAsWrittenIsDarkRed) {
    OpenList();
    Show();
    for (const auto& [price, red, tip] : {std::tuple{"12,50", true, "Zählt als 12.00"}, {"12.50", false, ""}}) {
        Type(ids::Price(0), price);
        ::UpdateWindow(Item(ids::Price(0)));
        const ClientPixels pixels(Wnd());
        const RECT r = ItemRect(ids::Price(0));
        bool found = false;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) found |= pixels.At(x, y) == RGB(176, 0, 32);
        }
        EXPECT_EQ(found, red) << price;
        EXPECT_EQ(TipOf(ids::Price(0)), tip) << price;
    }
}
