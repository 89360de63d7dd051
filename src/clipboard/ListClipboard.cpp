// The list on the clipboard: copied as a table for spreadsheets and mails,
// and a spreadsheet's range pasted over the rows. The Win32 clipboard is
// touched here only; the texts come from clipboard/ClipboardText.
#include "app/PriceListDlg.h"
#include "clipboard/ClipboardText.h"
#include "commands/Commands.h"
#include "commands/DocumentChange.h"
#include "dialogkit/Format.h"
#include "dialogkit/Seams.h"

#include <cstring>
#include <string_view>

namespace {

constexpr int kFieldBuffer = 260;
constexpr const char* kHtmlFormat = "HTML Format";
constexpr const char* kPartialPaste = "Es wurden nur %d von %d Zeilen eingefügt.";

struct ClipboardOpen {
    explicit ClipboardOpen(HWND owner) : open(::OpenClipboard(owner) != FALSE) {}
    ~ClipboardOpen() {
        if (open) ::CloseClipboard();
    }
    ClipboardOpen(const ClipboardOpen&) = delete;
    ClipboardOpen& operator=(const ClipboardOpen&) = delete;
    bool open;
};

char LocaleChar(LCTYPE type, char fallback) {
    char value[8] = {};
    return ::GetLocaleInfoA(LOCALE_USER_DEFAULT, type, value, sizeof value) > 1 ? value[0] : fallback;
}

clipboard::NumberForm UserNumberForm() {
    return {LocaleChar(LOCALE_SDECIMAL, '.'), LocaleChar(LOCALE_STHOUSAND, ',')};
}

std::wstring Wide(const std::string& text) {
    const int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(std::wstring_view wide, UINT codePage) {
    const int n = ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

// Hands bytes, a terminating zero added, to the open clipboard, which
// owns them once it took them.
void Put(UINT format, const void* bytes, size_t size, size_t zero) {
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + zero);
    if (!memory) return;
    if (void* at = ::GlobalLock(memory)) {
        std::memcpy(at, bytes, size);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(format, memory)) return;
    }
    ::GlobalFree(memory);
}

std::string ClipboardText(HWND owner) {
    const ClipboardOpen clipboard(owner);
    if (!clipboard.open) return {};
    const HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
    if (!data) return {};
    const auto* wide = static_cast<const wchar_t*>(::GlobalLock(data));
    if (!wide) return {};
    const size_t limit = ::GlobalSize(data) / sizeof(wchar_t);
    size_t length = 0;
    while (length < limit && wide[length]) ++length;
    std::string text = Narrow(std::wstring_view(wide, length), CP_ACP);
    ::GlobalUnlock(data);
    return text;
}

}  // namespace

void CPriceListDlg::CopyListAsTable() {
    // The sums as they are now, not as the last tick left them.
    UpdateSums();
    clipboard::ListTable list;
    for (int column = 0; column < ids::kColumns; ++column) {
        list.names[column] = GetItemText(ids::Name(column), kFieldBuffer);
        list.sums[column] = GetItemText(ids::Sum(column), kFieldBuffer);
    }
    for (int row = 0; row < ids::kRows; ++row) {
        clipboard::TableRow& r = list.rows[row];
        r.goods = GetItemText(ids::Goods(row), kFieldBuffer);
        r.price = GetItemText(ids::Price(row), kFieldBuffer);
        for (int column = 0; column < ids::kColumns; ++column) r.on[column] = SelectionButtonState(row, column, -1) != 0;
    }
    list.total = GetItemText(ids::kTotal, kFieldBuffer);
    const auto cells = clipboard::TableCells(list, UserNumberForm());
    const std::wstring text = Wide(clipboard::TableText(cells));
    const std::string html = clipboard::HtmlClipboard(Narrow(Wide(clipboard::TableHtml(cells)), CP_UTF8));
    const ClipboardOpen open(m_hWnd);
    if (!open.open || !::EmptyClipboard()) return;
    Put(CF_UNICODETEXT, text.data(), text.size() * sizeof(wchar_t), sizeof(wchar_t));
    Put(::RegisterClipboardFormatA(kHtmlFormat), html.data(), html.size(), 1);
}

bool CPriceListDlg::PasteRange(int controlId) {
    const CommandTarget target = TargetOfControl(controlId);
    if (target.row < 0 || target.column >= 0) return false;
    const std::string text = ClipboardText(m_hWnd);
    if (!clipboard::IsRange(text)) return false;
    std::array<bool, ids::kRows> linked{};
    for (int row = 0; row < ids::kRows; ++row) linked[row] = !m_rowLinkFile[row].empty();
    const clipboard::PastePlan plan = clipboard::PlanPaste(clipboard::SplitRange(text), target.row,
                                                           ids::IsPrice(controlId), linked, UserNumberForm());
    if (!plan.rows.empty()) {
        StopAnimation();
        {
            // The paste is one user action: one step, the texts it writes
            // take none of their own.
            const DocumentChange change(*this);
            for (const clipboard::PastedRow& r : plan.rows) {
                if (r.setGoods) SetItemText(ids::Goods(r.row), r.goods.substr(0, kFieldTextLimit));
                if (r.setPrice) SetItemText(ids::Price(r.row), r.price.substr(0, kFieldTextLimit));
            }
        }
        // The sums at once; the buttons' names, 140 texts, with the next
        // tick, as after typing.
        UpdateSums();
    }
    if (plan.linesPasted < plan.lines) {
        dialogkit::AppMessageBox(dialogkit::Format(kPartialPaste, plan.linesPasted, plan.lines), MB_OK);
    }
    return true;
}
