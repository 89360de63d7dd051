// Prices that do not count as they are written: the colour of their text
// in the field and the tooltip over it.
#include "grid/PriceLook.h"
#include "dialogkit/LateModules.h"

#include "app/PriceListDlg.h"
#include "grid/SelectionLook.h"
#include "model/Amounts.h"

#include <commctrl.h>

namespace {

constexpr COLORREF kDarkRed = RGB(176, 0, 32);
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
constexpr double kMinContrast = 4.5;
constexpr int kMixStep = 10, kAllTheWay = 100;  // percent
constexpr int kPriceBuffer = 260;

}  // namespace

namespace grid {

COLORREF WarningTextColour(COLORREF background) {
    // The dark red, darkened, or on a dark field lightened, just as far as
    // it takes to read; black or white at the end of the way always read.
    const COLORREF towards = ContrastRatio(kBlack, background) >= ContrastRatio(kWhite, background) ? kBlack : kWhite;
    COLORREF colour = kDarkRed;
    for (int percent = kMixStep; ContrastRatio(colour, background) < kMinContrast && percent <= kAllTheWay; percent += kMixStep)
        colour = Mix(kDarkRed, towards, percent);
    return colour;
}

std::string PriceTipText(std::string_view price) {
    if (CountsAsWritten(price)) return {};
    return "Zählt als " + FormatAmount(ParseAmount(price));
}

}  // namespace grid

void CPriceListDlg::CreatePriceTips() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    const auto initControls = dialogkit::LateFunction<decltype(&::InitCommonControlsEx)>(dialogkit::kCommonControls, "InitCommonControlsEx");
    if (!initControls || !initControls(&init)) return;
    m_hPriceTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr, nullptr, nullptr);
    if (!m_hPriceTip) return;
    for (int row = 0; row < ids::kRows; ++row) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(Item(ids::Price(row)));
        tool.lpszText = const_cast<char*>("");
        ::SendMessageA(m_hPriceTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void CPriceListDlg::UpdatePriceLook(int id) {
    if (!ids::IsPrice(id) || !m_hPriceTip) return;
    std::string tip = grid::PriceTipText(GetItemText(id, kPriceBuffer));
    // The tooltip holds the look the field has now: most changes keep it.
    char shown[kPriceBuffer] = {};
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = shown;
    ::SendMessageA(m_hPriceTip, TTM_GETTEXTA, sizeof shown, reinterpret_cast<LPARAM>(&tool));
    if (tip == shown) return;
    const bool recoloured = tip.empty() != (shown[0] == '\0');
    tool.lpszText = tip.data();
    ::SendMessageA(m_hPriceTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    // The edit redraws only what it changed; the colour is the whole text's.
    if (recoloured) ::InvalidateRect(Item(id), nullptr, TRUE);
}

bool CPriceListDlg::OnCtlColorEdit(HDC dc, HWND edit, INT_PTR& result) {
    const int id = ::GetDlgCtrlID(edit);
    if (!ids::IsPrice(id) || CountsAsWritten(GetItemText(id, kPriceBuffer))) return false;
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    ::SetTextColor(dc, grid::WarningTextColour(background));
    ::SetBkColor(dc, background);
    result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
    return true;
}
