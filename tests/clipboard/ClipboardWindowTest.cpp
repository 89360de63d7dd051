// The clipboard with the window: the list copied in both formats, a range
// pasted over a linked row as one step, a comma typed into a price, and a
// price that does not count as written on the window's pixels.
#include "commands/CommandsFixture.h"

#include <commctrl.h>

#include <cstring>

namespace {

constexpr int kCtrl = VK_CONTROL, kShift = VK_SHIFT;

std::string Decimal() {
    char value[8] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, value, sizeof value);
    return value;
}

std::string ReadClipboard(UINT format) {
    std::string out;
    if (!::OpenClipboard(nullptr)) return out;
    if (const HANDLE data = ::GetClipboardData(format)) {
        const char* bytes = static_cast<const char*>(::GlobalLock(data));
        if (format == CF_UNICODETEXT) {
            char narrow[4096] = {};
            ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(bytes), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
            out = narrow;
        } else if (bytes) {
            out.assign(bytes, ::strnlen(bytes, ::GlobalSize(data)));
        }
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return out;
}

void WriteClipboard(const std::string& text) {
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    std::memcpy(::GlobalLock(memory), text.data(), text.size());
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_TEXT, memory);
    ::CloseClipboard();
}

}  // namespace

using ClipboardWindow = CommandsTest;

TEST_F(ClipboardWindow, CopiesTheListInBothFormats) {
    OpenList();
    Press(ids::Goods(0), 'L', {kCtrl, kShift});
    EXPECT_NE(ReadClipboard(CF_UNICODETEXT).find("\r\n03\tBrot\t2" + Decimal() + "10\tx\t"), std::string::npos) << "row 03";
    EXPECT_NE(ReadClipboard(::RegisterClipboardFormatA("HTML Format")).find("<td>03</td><td>Brot</td>"), std::string::npos);
    EXPECT_FALSE(dlg->m_history->CanUndo()) << "no step";
    EXPECT_FALSE(dlg->m_bModified);
}

TEST_F(ClipboardWindow, PastesARangeOverALinkedRowAsOneStep) {
    OpenList();
    const List before = WholeList();
    const RowView linked = Row(6);
    WriteClipboard("Milch\t1" + Decimal() + "50\r\nKäse\t2\tmehr\r\nWurst\r\n");
    Press(ids::Goods(5), 'V', {kCtrl});
    EXPECT_EQ(Row(5).goods + "|" + Row(5).price, "Milch|1.50") << "row 06";
    EXPECT_EQ(Row(6), linked) << "row 07 keeps its link";
    EXPECT_EQ(Row(7).goods + "|" + Row(7).price, "Käse|2") << "row 08";
    EXPECT_EQ(Row(8).goods + "|" + Row(8).price, "Wurst|") << "row 09";
    EXPECT_EQ(Text(ids::kTotal), "6.79") << "the sums follow at once";
    Press(ids::Goods(5), 'Z', {kCtrl});
    EXPECT_EQ(WholeList(), before) << "one undo";
    seams->AnswerBox(IDOK);
    Press(ids::Price(18), 'V', {kCtrl});
    EXPECT_EQ(Shown(), (std::vector<Box>{{"Es wurden nur 2 von 3 Zeilen eingefügt.", MB_OK}}));
    EXPECT_EQ(Row(18).price + "|" + Row(19).price, "Milch|Käse") << "into prices, rows 19 and 20";
}

TEST_F(ClipboardWindow, ACommaTypedIntoAPriceIsAPoint) {
    OpenList();
    ::SetFocus(Item(ids::Price(0)));
    for (const char c : std::string("1,5")) {
        MSG msg{Item(ids::Price(0)), WM_CHAR, static_cast<WPARAM>(c), 0, 0, {}};
        ::IsDialogMessageA(Wnd(), &msg);
    }
    EXPECT_EQ(Text(ids::Price(0)), "1.5");
    TickSums();
    EXPECT_EQ(Text(ids::kTotal), "4.79");
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
        char text[80] = {};
        TOOLINFOA tool{sizeof tool, 0, Wnd(), reinterpret_cast<UINT_PTR>(Item(ids::Price(0))), {}, nullptr, text, 0, nullptr};
        ::SendMessageA(dlg->m_hPriceTip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        EXPECT_STREQ(text, tip) << price;
    }
}
