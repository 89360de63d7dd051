// The printed page's layout from a printer's area and a measure of text,
// without a printer: ten pixels a character.
#include "printing/PrintLayout.h"

#include <gtest/gtest.h>

namespace {

using namespace printing;

int Tens(std::string_view text) { return 10 * static_cast<int>(text.size()); }

std::string Joined(const std::vector<std::string>& lines, const char* between = "|") {
    std::string out;
    for (const std::string& line : lines) out += (out.empty() && &line == &lines.front() ? "" : between) + line;
    return out;
}

std::string Pages(const std::vector<NoteLine>& lines, int first, int other) {
    std::vector<std::string> pages;
    for (const auto& page : SplitOverPages(lines, first, other)) {
        std::vector<std::string> texts;
        for (const NoteLine& line : page) texts.push_back(line.text);
        pages.push_back(Joined(texts, " "));
    }
    return Joined(pages, " | ");
}

std::string Framed(const PageArea& area) {
    const PageFrame f = FramePage(area, 100, 50);
    return std::to_string(f.content.left) + "," + std::to_string(f.content.top) + "-" + std::to_string(f.content.right) +
           "," + std::to_string(f.content.bottom) + " body " + std::to_string(f.body.top) + "-" + std::to_string(f.body.bottom);
}

NoteLine H(const char* t) { return {NoteLine::kHeading, t}; }
NoteLine T(const char* t) { return {NoteLine::kText, t}; }
const NoteLine kGap{NoteLine::kBlank, ""};

struct LayoutCase {
    const char* name;
    std::function<std::string()> result;
    std::string expected;
};

class PrintingLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PrintingLayout, IsAsPrinted) { EXPECT_EQ(GetParam().result(), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(PrintingPage, PrintingLayout, ::testing::Values(
    LayoutCase{"A4At300DpiKeepsFifteenMillimetresOfSheet",
               [] { return Framed({2400, 3400, 2480, 3508, 40, 54, 300, 300}); }, "137,123-2263,3277 body 223-3227"},
    LayoutCase{"NarrowPrintableAreaIsNeverLeft",
               [] { return Framed({1880, 2908, 2480, 3508, 300, 300, 300, 300}); }, "0,0-1880,2908 body 100-2858"},
    LayoutCase{"LongTextEndsInEllipsis", [] { return CutToWidth("Schokolade", 50, Tens); }, "Scho…"},
    LayoutCase{"CutDropsTheBlankBeforeTheEllipsis", [] { return CutToWidth("Rote Beete", 60, Tens); }, "Rote…"},
    LayoutCase{"NoRoomEvenForTheEllipsis", [] { return CutToWidth("Brot", 5, Tens); }, ""},
    LayoutCase{"WrapBreaksBetweenWords", [] { return Joined(WrapLines("Brot vom  Bäcker am Markt", 100, Tens)); },
               "Brot vom|Bäcker am|Markt"},
    LayoutCase{"WrapKeepsTheTextsLineBreaks", [] { return Joined(WrapLines("Zeile 1\r\n\r\nZeile 3", 100, Tens)); },
               "Zeile 1||Zeile 3"},
    LayoutCase{"WrapCutsAWordWiderThanALine", [] { return Joined(WrapLines("Donaudampfschiff", 50, Tens)); },
               "Donau|dampf|schif|f"},
    LayoutCase{"NotesRunOnWithoutABlankOnTop",
               [] { return Pages({H("03"), T("a"), T("b"), kGap, H("07"), T("c"), kGap}, 3, 3); }, "03 a b | 07 c "},
    LayoutCase{"HeadingNeverEndsAPage", [] { return Pages({T("a"), T("b"), H("07"), T("c")}, 3, 3); }, "a b | 07 c"},
    LayoutCase{"TableFillingTheFirstPage", [] { return Pages({H("03"), T("a")}, 0, 5); }, " | 03 a"},
    LayoutCase{"FooterCountsThePages", [] { return PageFooter(2, 3); }, "Tarvelo – Seite 2 von 3"}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

}  // namespace
