// The clipboard's texts: numbers in the user's form and back, the table in
// both formats, a pasted range split and laid over the rows.
#include "clipboard/ClipboardText.h"

#include <cstring>

using namespace clipboard;

namespace {
constexpr NumberForm kGerman{',', '.'};
constexpr NumberForm kEnglish{'.', ','};
using Lines = std::vector<std::vector<std::string>>;
}  // namespace

struct NumberCase {
    const char* name;
    NumberForm form;
    const char* user;
    const char* list;  // what the user's text becomes in the list
    const char* back;  // the list's text in the user's form
};

TEST(ClipboardNumbers, BothWays) {
    const NumberCase cases[] = {
        {"German decimal", kGerman, "1,50", "1.50", "1,50"},
        {"German thousands", kGerman, "1.234,50", "1234.50", "1234,50"},
        {"German negative", kGerman, "-3,5", "-3.5", "-3,5"},
        {"German whole", kGerman, "12", "12", "12"},
        {"German bad group", kGerman, "1.23,5", "1.23,5", "1.23,5"},
        {"German long first group", kGerman, "1234.567,5", "1234.567,5", "1234.567,5"},
        {"English decimal", kEnglish, "1.50", "1.50", "1.50"},
        {"English thousands", kEnglish, "-1,234.50", "-1234.50", "-1234.50"},
        {"English comma is text", kEnglish, "1,50", "1,50", "1,50"},
        {"a word", kGerman, "Milch", "Milch", "Milch"},
        {"empty", kGerman, "", "", ""},
    };
    for (const NumberCase& c : cases) {
        EXPECT_EQ(FromUserNumber(c.user, c.form), c.list) << c.name;
        EXPECT_EQ(ToUserNumber(c.list, c.form), c.back) << c.name;
    }
}

TEST(ClipboardTable, TextAndHtml) {
    ListTable list;
    list.names[0] = "Obst";
    list.rows[2] = {"Käse & Brot", "1.50", {true, false, true}};
    list.sums.fill("0.00");
    list.sums[0] = "1.50";
    list.total = "1.50";
    const Lines cells = TableCells(list, kGerman);
    const std::string text = TableText(cells);
    EXPECT_EQ(text.substr(0, text.find("\r\n")), "Nr\tWare\tPreis\tA Obst\tB \tC \tD \tE \tF \tG ") << "header";
    EXPECT_NE(text.find("\r\n03\tKäse & Brot\t1,50\tx\t\tx\t\t\t\t\r\n"), std::string::npos) << "row 03";
    EXPECT_NE(text.find("\r\nSumme\t\t\t1,50\t0,00\t"), std::string::npos) << "sums";
    EXPECT_TRUE(text.ends_with("\r\nInsgesammt\t\t1,50\r\n")) << "total";
    EXPECT_EQ(cells.size(), 23u) << "header, 20 rows, sums, total";
    const std::string html = HtmlClipboard(TableHtml(cells));
    auto offset = [&](const char* key) { return std::stoul(html.substr(html.find(key) + std::strlen(key), 10)); };
    EXPECT_EQ(html.substr(offset("StartFragment:"), 7), "<table>");
    EXPECT_EQ(html.substr(offset("EndFragment:") - 8), "</table><!--EndFragment-->\r\n</body></html>");
    EXPECT_EQ(html.substr(offset("StartHTML:"), 6), "<html>");
    EXPECT_EQ(offset("EndHTML:"), html.size());
    EXPECT_NE(html.find("<td>Käse &amp; Brot</td><td>1,50</td><td>x</td>"), std::string::npos) << "row 03";
}

struct SplitCase {
    const char* name;
    const char* text;
    Lines lines;
};

TEST(ClipboardRange, Split) {
    const SplitCase cases[] = {
        {"CR LF", "Milch\t1,50\r\nBrot\t2\r\n", {{"Milch", "1,50"}, {"Brot", "2"}}},
        {"lone LF", "Milch\nBrot", {{"Milch"}, {"Brot"}}},
        {"trailing tab", "Milch\t\r\n", {{"Milch", ""}}},
        {"quoted cell", "\"a\tb\r\nc \"\"d\"\"\"\t1\n", {{"a\tb\r\nc \"d\"", "1"}}},
        {"quote inside", "5\" Rohr\t3", {{"5\" Rohr", "3"}}},
    };
    for (const SplitCase& c : cases) EXPECT_EQ(SplitRange(c.text), c.lines) << c.name;
    for (const auto& [text, range] : {std::pair{"Milch 1,50", false}, {"Milch\t1,50", true}, {"Milch\nBrot", true}})
        EXPECT_EQ(IsRange(text), range) << text;
}

TEST(ClipboardRange, Plan) {
    std::array<bool, ids::kRows> linked{};
    linked[18] = true;
    const Lines lines{{"Milch", "1.234,50", "ignored"}, {"Brot"}, {"Käse", "abc"}, {"Wurst", "1"}};
    const PastePlan plan = PlanPaste(lines, 17, false, linked, kGerman);
    EXPECT_EQ(plan.linesPasted, 2) << "row 19 is linked, row 20 the last";
    EXPECT_EQ(plan.lines, 4);
    ASSERT_EQ(plan.rows.size(), 2u);
    EXPECT_EQ(plan.rows[0].price, "1234.50") << "row 18";
    EXPECT_EQ(plan.rows[1].row, 19) << "Brot in row 20";
    EXPECT_FALSE(plan.rows[1].setPrice) << "row 20 keeps its price";
    const PastePlan prices = PlanPaste({{"2,5", "x"}}, 0, true, linked, kGerman);
    EXPECT_TRUE(prices.rows[0].setPrice && !prices.rows[0].setGoods && prices.rows[0].price == "2.5") << "into a price";
}
