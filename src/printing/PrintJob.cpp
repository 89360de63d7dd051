#include "printing/PrintJob.h"

#include "dialogkit/GdiGuards.h"
#include "dialogkit/Seams.h"
#include "printing/PrintLayout.h"

#include <algorithm>

namespace printing {

namespace {

using dialogkit::SpoolStep;
using Font = dialogkit::GdiObject<HFONT>;

constexpr int kPointsPerInch = 72;
constexpr int kTitlePoints = 16;
constexpr int kTextPoints = 9;
constexpr int kSmallPoints = 8;
// A face every Windows has; Wine's own is small, and a PostScript driver
// sends the whole face with every page: DejaVu Sans, which stands in for
// Arial under Wine, made a long job two and a half times as slow.
constexpr const char* kFace = "Tahoma";
constexpr double kPaddingMm = 1.0;
constexpr double kRuleMm = 0.25;
constexpr double kSeparatorMm = 0.5;
// A row is this many text lines high; a mark this part of a row wide.
constexpr double kRowLines = 1.35;
constexpr double kMarkPart = 0.45;
constexpr const char* kLinkMark = "» ";
constexpr const char* kSourceLabels[] = {"Quelle 1: ", "Quelle 2: "};

Font MakeFont(HDC dc, int points, int weight) {
    const int height = -::MulDiv(points, ::GetDeviceCaps(dc, LOGPIXELSY), kPointsPerInch);
    return Font(::CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, kFace));
}

PageArea AreaOf(HDC dc) {
    return PageArea{::GetDeviceCaps(dc, HORZRES),        ::GetDeviceCaps(dc, VERTRES),
                    ::GetDeviceCaps(dc, PHYSICALWIDTH),  ::GetDeviceCaps(dc, PHYSICALHEIGHT),
                    ::GetDeviceCaps(dc, PHYSICALOFFSETX), ::GetDeviceCaps(dc, PHYSICALOFFSETY),
                    ::GetDeviceCaps(dc, LOGPIXELSX),     ::GetDeviceCaps(dc, LOGPIXELSY)};
}

// The list's pages on one DC. The fonts and pens are made once for the
// whole job: a printer driver may send a font again with every page it
// is selected on, and making them per page multiplied a long job's time.
class ListPages {
public:
    ListPages(HDC dc, const PrintedContent& content)
        : m_dc(dc), m_c(content), m_area(AreaOf(dc)),
          m_title(MakeFont(dc, kTitlePoints, FW_BOLD)), m_bold(MakeFont(dc, kTextPoints, FW_BOLD)),
          m_regular(MakeFont(dc, kTextPoints, FW_NORMAL)), m_small(MakeFont(dc, kSmallPoints, FW_NORMAL)),
          m_rule(::CreatePen(PS_SOLID, std::max(1, MmToPixels(kRuleMm, m_area.dpiY)), RGB(0, 0, 0))),
          m_separator(::CreatePen(PS_SOLID, std::max(1, MmToPixels(kSeparatorMm, m_area.dpiY)), RGB(0, 0, 0))) {
        m_titleHeight = LineHeight(m_title.Get());
        m_textHeight = LineHeight(m_regular.Get());
        m_smallHeight = LineHeight(m_small.Get());
        m_rowHeight = static_cast<int>(m_textHeight * kRowLines);
        m_pad = MmToPixels(kPaddingMm, m_area.dpiX);
        m_frame = FramePage(m_area, m_titleHeight + 3 * m_smallHeight, 2 * m_smallHeight);
        m_columns = LayOutColumns(m_frame.body, m_area.dpiX);
        m_tableBottom = m_frame.body.top + TableHeight();
        const int firstLines = (m_frame.body.bottom - m_tableBottom) / m_textHeight - 1;
        m_pages = SplitOverPages(NoteLines(), firstLines, m_frame.body.Height() / m_textHeight);
    }
    ~ListPages() { ::SelectObject(m_dc, ::GetStockObject(SYSTEM_FONT)); }
    ListPages(const ListPages&) = delete;
    ListPages& operator=(const ListPages&) = delete;

    int Count() const { return static_cast<int>(m_pages.size()); }

    void Draw(int page) {
        // A new page may start with the DC's defaults.
        m_font = nullptr;
        ::SetBkMode(m_dc, TRANSPARENT);
        ::SetTextColor(m_dc, RGB(0, 0, 0));
        Heading();
        int y = m_frame.body.top;
        if (page == 0) {
            Table();
            y = m_tableBottom;
            if (!m_pages[0].empty()) Text(m_bold.Get(), m_frame.body.left, y, "Info zu den Reihen");
            y += m_textHeight;
        }
        for (const NoteLine& line : m_pages[static_cast<size_t>(page)]) {
            const bool heading = line.kind == NoteLine::kHeading;
            Text(heading ? m_bold.Get() : m_regular.Get(), heading ? m_frame.body.left : m_columns.goods.left, y, line.text);
            y += m_textHeight;
        }
        Text(m_small.Get(), m_frame.footer.left, m_frame.footer.bottom - m_smallHeight, PageFooter(page + 1, Count()));
    }

private:
    int LineHeight(HFONT font) {
        Use(font);
        TEXTMETRICA tm{};
        ::GetTextMetricsA(m_dc, &tm);
        return tm.tmHeight + tm.tmExternalLeading;
    }

    void Use(HFONT font) {
        if (font == m_font) return;
        ::SelectObject(m_dc, font);
        m_font = font;
    }

    int Width(HFONT font, std::string_view text) {
        Use(font);
        SIZE size{};
        ::GetTextExtentPoint32A(m_dc, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

    Measure MeasureIn(HFONT font) {
        return [this, font](std::string_view text) { return Width(font, text); };
    }

    void Text(HFONT font, int x, int y, const std::string& text, UINT align = TA_LEFT) {
        Use(font);
        // With the top and no current position, which are the zero values.
        ::SetTextAlign(m_dc, align);
        ::TextOutA(m_dc, x, y, text.data(), static_cast<int>(text.size()));
    }

    // A text cut to its cell, left or right in it, a row's line centred.
    void Cell(HFONT font, const Span& span, int y, const std::string& text, bool right = false) {
        const std::string shown = CutToWidth(text, span.Width() - 2 * m_pad, MeasureIn(font));
        Text(font, right ? span.right - m_pad : span.left + m_pad, y + (m_rowHeight - m_textHeight) / 2, shown,
             right ? TA_RIGHT : TA_LEFT);
    }

    void Rule(HPEN pen, int y) {
        const dialogkit::SelectGuard selected(m_dc, pen);
        ::MoveToEx(m_dc, m_frame.body.left, y, nullptr);
        ::LineTo(m_dc, m_columns.groups.back().right, y);
    }

    int HeaderHeight() const { return m_rowHeight + m_smallHeight; }
    int TableHeight() const { return HeaderHeight() + (ids::kRows + 3) * m_rowHeight; }

    void Heading() {
        const Box& h = m_frame.heading;
        Text(m_title.Get(), h.left, h.top, CutToWidth(m_c.title, h.Width(), MeasureIn(m_title.Get())));
        Text(m_small.Get(), h.left, h.top + m_titleHeight, CutToWidth(m_c.path, h.Width(), MeasureIn(m_small.Get())));
        Text(m_small.Get(), h.left, h.top + m_titleHeight + m_smallHeight, m_c.printedAt);
    }

    void Table() {
        int y = m_frame.body.top;
        Cell(m_bold.Get(), m_columns.number, y, "Nr.");
        Cell(m_bold.Get(), m_columns.goods, y, "Ware");
        Cell(m_bold.Get(), m_columns.price, y, "Preis", true);
        for (int column = 0; column < ids::kColumns; ++column) {
            const Span& span = m_columns.groups[column];
            Cell(m_bold.Get(), span, y, ids::ColumnLetter(column));
            Text(m_small.Get(), span.left + m_pad, y + m_rowHeight,
                 CutToWidth(m_c.names[column], span.Width() - 2 * m_pad, MeasureIn(m_small.Get())));
        }
        y += HeaderHeight();
        Rule(m_rule.Get(), y);
        for (const PrintedRow& row : m_c.rows) {
            Cell(m_regular.Get(), m_columns.number, y, row.number);
            Cell(m_regular.Get(), m_columns.goods, y, row.linked ? kLinkMark + row.goods : row.goods);
            Cell(m_regular.Get(), m_columns.price, y, row.price, true);
            for (int column = 0; column < ids::kColumns; ++column) {
                if (row.selected[column]) Mark(m_columns.groups[column], y);
            }
            y += m_rowHeight;
            if (row.lineBelow) Rule(m_separator.Get(), y);
        }
        Rule(m_rule.Get(), y);
        Cell(m_bold.Get(), m_columns.goods, y, "Summe");
        for (int column = 0; column < ids::kColumns; ++column) Cell(m_regular.Get(), m_columns.groups[column], y, m_c.sums[column], true);
        y += m_rowHeight;
        Cell(m_bold.Get(), m_columns.goods, y, "Insgesammt");
        Cell(m_bold.Get(), m_columns.price, y, m_c.total, true);
    }

    void Mark(const Span& span, int y) {
        const int size = static_cast<int>(m_rowHeight * kMarkPart);
        const int left = span.left + (span.Width() - size) / 2;
        const int top = y + (m_rowHeight - size) / 2;
        const dialogkit::SelectGuard pen(m_dc, ::GetStockObject(BLACK_PEN));
        const dialogkit::SelectGuard brush(m_dc, ::GetStockObject(BLACK_BRUSH));
        ::Ellipse(m_dc, left, top, left + size, top + size);
    }

    // Every note as the lines it prints: its row and goods, its text with
    // its own line breaks, its sources; a blank after each.
    std::vector<NoteLine> NoteLines() {
        std::vector<NoteLine> lines;
        const Measure bold = MeasureIn(m_bold.Get());
        const Measure regular = MeasureIn(m_regular.Get());
        const int width = m_frame.body.right - m_columns.goods.left;
        for (const PrintedNote& note : m_c.notes) {
            lines.push_back({NoteLine::kHeading, CutToWidth(note.number + "  " + note.goods, m_frame.body.Width(), bold)});
            for (std::string& line : WrapLines(note.text, width, regular)) lines.push_back({NoteLine::kText, std::move(line)});
            const std::string* sources[] = {&note.source1, &note.source2};
            for (int i = 0; i < 2; ++i) {
                if (sources[i]->empty()) continue;
                for (std::string& line : WrapLines(kSourceLabels[i] + *sources[i], width, regular))
                    lines.push_back({NoteLine::kText, std::move(line)});
            }
            lines.push_back({NoteLine::kBlank, {}});
        }
        return lines;
    }

    HDC m_dc;
    const PrintedContent& m_c;
    PageArea m_area;
    Font m_title, m_bold, m_regular, m_small;
    dialogkit::Pen m_rule, m_separator;
    HFONT m_font = nullptr;
    int m_titleHeight = 0, m_textHeight = 1, m_smallHeight = 0, m_rowHeight = 0, m_pad = 0;
    PageFrame m_frame;
    TableColumns m_columns;
    int m_tableBottom = 0;
    std::vector<std::vector<NoteLine>> m_pages;
};

bool Aborted(HDC dc) {
    dialogkit::Spool(SpoolStep::kAbortDoc, dc);
    return false;
}

}  // namespace

std::string JobName(const std::string& title) { return "Tarvelo - " + title; }

bool PrintList(HDC dc, const PrintedContent& content) {
    if (dialogkit::Spool(SpoolStep::kStartDoc, dc, JobName(content.title).c_str()) <= 0) return Aborted(dc);
    ListPages pages(dc, content);
    for (int page = 0; page < pages.Count(); ++page) {
        if (dialogkit::Spool(SpoolStep::kStartPage, dc) <= 0) return Aborted(dc);
        pages.Draw(page);
        if (dialogkit::Spool(SpoolStep::kEndPage, dc) <= 0) return Aborted(dc);
    }
    return dialogkit::Spool(SpoolStep::kEndDoc, dc) > 0 || Aborted(dc);
}

}  // namespace printing
