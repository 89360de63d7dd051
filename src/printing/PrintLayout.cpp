#include "printing/PrintLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace printing {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kNumberMm = 9.0;
constexpr double kPriceMm = 22.0;
constexpr double kGroupMm = 15.0;
constexpr double kLeastGoodsMm = 20.0;

// The longest start of the text that, with the tail after it, fits the
// width; a measure grows with the text, so the search halves.
size_t FittingLength(std::string_view text, std::string_view tail, int width, const Measure& measure) {
    size_t low = 0, high = text.size();
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (measure(std::string(text.substr(0, mid)) + std::string(tail)) <= width) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return low;
}

// One paragraph (no line break in it) onto lines.
void WrapParagraph(std::string_view text, int width, const Measure& measure, std::vector<std::string>& lines) {
    std::string line;
    size_t at = 0;
    while (at < text.size()) {
        const size_t blank = std::min(text.find(' ', at), text.size());
        const std::string_view word = text.substr(at, blank - at);
        at = blank + 1;
        if (word.empty()) continue;
        const std::string joined = line.empty() ? std::string(word) : line + " " + std::string(word);
        if (measure(joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line = std::string(word);
        // A word wider than a line is cut where the line ends, at least one
        // character a line, so that the text always comes to an end.
        while (measure(line) > width) {
            const size_t fits = std::max<size_t>(1, FittingLength(line, "", width, measure));
            lines.push_back(line.substr(0, fits));
            line.erase(0, fits);
        }
    }
    lines.push_back(line);
}

}  // namespace

int MmToPixels(double mm, int dpi) { return static_cast<int>(std::lround(mm * dpi / kMmPerInch)); }

PageFrame FramePage(const PageArea& area, int headingHeight, int footerHeight) {
    const int paperWidth = area.paperWidth > 0 ? area.paperWidth : area.printableWidth;
    const int paperHeight = area.paperHeight > 0 ? area.paperHeight : area.printableHeight;
    const int marginX = MmToPixels(kMarginMm, area.dpiX);
    const int marginY = MmToPixels(kMarginMm, area.dpiY);
    Box c{std::max(0, marginX - area.offsetX), std::max(0, marginY - area.offsetY),
          std::min(area.printableWidth, paperWidth - area.offsetX - marginX),
          std::min(area.printableHeight, paperHeight - area.offsetY - marginY)};
    // A sheet too small for the margins is printed to the printer's edge.
    if (c.right <= c.left) c.left = 0, c.right = area.printableWidth;
    if (c.bottom <= c.top) c.top = 0, c.bottom = area.printableHeight;
    PageFrame frame;
    frame.content = c;
    frame.heading = {c.left, c.top, c.right, std::min(c.bottom, c.top + headingHeight)};
    frame.footer = {c.left, std::max(frame.heading.bottom, c.bottom - footerHeight), c.right, c.bottom};
    frame.body = {c.left, frame.heading.bottom, c.right, frame.footer.top};
    return frame;
}

std::string CutToWidth(std::string_view text, int width, const Measure& measure) {
    if (measure(text) <= width) return std::string(text);
    if (measure(kEllipsis) > width) return {};
    std::string kept(text.substr(0, FittingLength(text, kEllipsis, width, measure)));
    while (!kept.empty() && kept.back() == ' ') kept.pop_back();
    return kept + kEllipsis;
}

std::vector<std::string> WrapLines(std::string_view text, int width, const Measure& measure) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at <= text.size()) {
        const size_t end = std::min(text.find('\n', at), text.size());
        std::string_view paragraph = text.substr(at, end - at);
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
        WrapParagraph(paragraph, width, measure, lines);
        at = end + 1;
    }
    return lines;
}

TableColumns LayOutColumns(const Box& body, int dpiX) {
    const int number = MmToPixels(kNumberMm, dpiX);
    const int price = MmToPixels(kPriceMm, dpiX);
    int group = MmToPixels(kGroupMm, dpiX);
    // On a narrow sheet the groups give way before the goods do.
    const int leastGoods = MmToPixels(kLeastGoodsMm, dpiX);
    if (body.Width() - number - price - ids::kColumns * group < leastGoods)
        group = std::max(1, (body.Width() - number - price - leastGoods) / ids::kColumns);
    TableColumns t;
    const int goodsRight = body.right - ids::kColumns * group - price;
    t.number = {body.left, body.left + number};
    t.goods = {t.number.right, std::max(t.number.right, goodsRight)};
    t.price = {t.goods.right, t.goods.right + price};
    int left = t.price.right;
    for (Span& span : t.groups) {
        span = {left, left + group};
        left = span.right;
    }
    return t;
}

std::vector<std::vector<NoteLine>> SplitOverPages(const std::vector<NoteLine>& lines, int firstPageLines,
                                                  int otherPageLines) {
    std::vector<std::vector<NoteLine>> pages(1);
    size_t room = static_cast<size_t>(std::max(0, firstPageLines));
    const size_t otherRoom = static_cast<size_t>(std::max(1, otherPageLines));
    for (size_t i = 0; i < lines.size(); ++i) {
        const NoteLine& line = lines[i];
        const bool full = pages.back().size() >= room;
        const bool headingLast = line.kind == NoteLine::kHeading && room > 1 && pages.back().size() + 1 == room &&
                                 i + 1 < lines.size();
        if (full || headingLast) {
            pages.emplace_back();
            room = otherRoom;
        }
        if (pages.back().empty() && line.kind == NoteLine::kBlank) continue;
        pages.back().push_back(line);
    }
    return pages;
}

std::string PageFooter(int page, int pages) {
    char text[64] = {};
    std::snprintf(text, sizeof text, "Tarvelo – Seite %d von %d", page, pages);
    return text;
}

}  // namespace printing
