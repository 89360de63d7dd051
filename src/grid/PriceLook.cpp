// Prices that do not count as they are written: the colour of their text
// in the field and the tooltip over it.
#include "grid/PriceLook.h"

#include "app/PriceListDlg.h"
#include "model/Amounts.h"

#include <commctrl.h>

#include <cmath>

namespace {

constexpr COLORREF kDarkRed = RGB(176, 0, 32);
constexpr COLORREF kLightRed = RGB(255, 150, 160);
constexpr double kLightBackground = 0.4;  // relative luminance from which dark text reads
constexpr int kPriceBuffer = 260;

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(COLORREF c) {
    return 0.2126 * Channel(GetRValue(c)) + 0.7152 * Channel(GetGValue(c)) + 0.0722 * Channel(GetBValue(c));
}

bool IsPrice(int id) { return id >= ids::kPriceBase && id < ids::kPriceBase + ids::kRows; }

}  // namespace

namespace grid {

COLORREF WarningTextColour(COLORREF background) {
    return Luminance(background) >= kLightBackground ? kDarkRed : kLightRed;
}

std::string PriceTipText(std::string_view price) {
    if (CountsAsWritten(price)) return {};
    return "Zählt als " + FormatAmount(ParseAmount(price));
}

}  // namespace grid

void CPriceListDlg::CreatePriceTips() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
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
    if (!IsPrice(id)) return;
    std::string tip = grid::PriceTipText(GetItemText(id, kPriceBuffer));
    if (m_hPriceTip) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = m_hWnd;
        tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
        tool.lpszText = tip.data();
        ::SendMessageA(m_hPriceTip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    // The edit redraws only what it changed; the colour is the whole text's.
    ::InvalidateRect(Item(id), nullptr, TRUE);
}

bool CPriceListDlg::OnCtlColorEdit(HDC dc, HWND edit, INT_PTR& result) {
    const int id = ::GetDlgCtrlID(edit);
    if (!IsPrice(id) || CountsAsWritten(GetItemText(id, kPriceBuffer))) return false;
    const COLORREF background = ::GetSysColor(COLOR_WINDOW);
    ::SetTextColor(dc, grid::WarningTextColour(background));
    ::SetBkColor(dc, background);
    result = reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_WINDOW));
    return true;
}
