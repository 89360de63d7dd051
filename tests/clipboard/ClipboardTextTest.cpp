// The clipboard's texts: numbers in the user's form and back, the HTML
// format's header, a pasted range split into cells. (Laid over the rows in
// the window test.)
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

// The HTML a spreadsheet reads: the header's offsets point at the document
// and the table in it. (The cells themselves are the window test's.)
TEST(ClipboardTable, HtmlOffsets) {
    ListTable list;
    list.rows[2] = {"Käse & Brot", "1.50", {true, false, true}};
    const std::string html = HtmlClipboard(TableHtml(TableCells(list, kGerman)));
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
}
