#include "grid/SelectionLook.h"

#include "dialogkit/Dialog.h"
#include "dialogkit/GdiGuards.h"
#include "model/ControlIds.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace grid {

namespace {

constexpr int kAllPercent = 100;
// The face moves this far from the button face towards the highlight
// colour: clearly tinted, still light enough for black digits.
constexpr int kFaceTint = 45;
// Less than this in every channel and a tint would hardly show.
constexpr int kDistinctFace = 64;
constexpr double kLightFace = 0.5;  // relative luminance
// The inner shadow and the outline: the face darkened this far.
constexpr int kShadowDepth = 25;
constexpr int kOutlineDepth = 60;
// A disabled button's number fades this far into the face.
constexpr int kDisabledFade = 50;
// The focus rectangle lies this far inside the button, as the platform
// draws it on push buttons.
constexpr int kFocusInset = 2;
// The number sits one pixel right and down: pressed in.
constexpr int kPressedOffset = 1;
constexpr const char* kRowNumberFormat = "%02i";

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

double LinearChannel(int channel) {
    constexpr double kMax = 255.0;
    constexpr double kLinearLimit = 0.04045;
    constexpr double kLinearSlope = 12.92;
    constexpr double kOffset = 0.055;
    constexpr double kGamma = 2.4;
    const double c = channel / kMax;
    return c <= kLinearLimit ? c / kLinearSlope : std::pow((c + kOffset) / (1.0 + kOffset), kGamma);
}

BYTE MixChannel(int from, int to, int percent) {
    return static_cast<BYTE>((from * (kAllPercent - percent) + to * percent + kAllPercent / 2) / kAllPercent);
}

}  // namespace

double RelativeLuminance(COLORREF colour) {
    constexpr double kRed = 0.2126;
    constexpr double kGreen = 0.7152;
    constexpr double kBlue = 0.0722;
    return kRed * LinearChannel(GetRValue(colour)) + kGreen * LinearChannel(GetGValue(colour)) +
           kBlue * LinearChannel(GetBValue(colour));
}

double ContrastRatio(COLORREF a, COLORREF b) {
    constexpr double kFlare = 0.05;
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

COLORREF Mix(COLORREF a, COLORREF b, int percent) {
    percent = std::clamp(percent, 0, kAllPercent);
    return RGB(MixChannel(GetRValue(a), GetRValue(b), percent), MixChannel(GetGValue(a), GetGValue(b), percent),
               MixChannel(GetBValue(a), GetBValue(b), percent));
}

int ChannelDistance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

SelectionColours SelectedColours(COLORREF buttonFace, COLORREF highlight) {
    SelectionColours c;
    c.face = Mix(buttonFace, highlight, kFaceTint);
    if (ChannelDistance(c.face, buttonFace) < kDistinctFace) {
        c.face = Mix(buttonFace, RelativeLuminance(buttonFace) > kLightFace ? kBlack : kWhite, kFaceTint);
    }
    c.shadow = Mix(c.face, kBlack, kShadowDepth);
    c.outline = Mix(c.face, kBlack, kOutlineDepth);
    c.ink = ContrastRatio(c.face, kBlack) >= ContrastRatio(c.face, kWhite) ? kBlack : kWhite;
    return c;
}

RECT FaceRect(const RECT& client) {
    RECT face = client;
    ::InflateRect(&face, -1, -1);
    return face;
}

namespace {

// A solid rectangle without a brush: an opaque empty text.
void Fill(HDC dc, const RECT& r, COLORREF colour) {
    ::SetBkColor(dc, colour);
    ::ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

struct ButtonLook {
    std::string text;
    HFONT font = nullptr;
    bool enabled = true;
    bool focus = false;
    bool pushed = false;
};

// An unchecked button as the platform draws a flat push-like one, but with
// its face text instead of its window text, which names it for assistive
// technology and is longer than the button.
void DrawUnchecked(HDC dc, const RECT& client, const ButtonLook& look) {
    RECT frame = client;
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_MONO);
    if (!look.text.empty()) {
        const dialogkit::SelectGuard keepFont(dc, look.font ? look.font : ::GetStockObject(SYSTEM_FONT));
        RECT label = client;
        if (look.pushed) ::OffsetRect(&label, kPressedOffset, kPressedOffset);
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, ::GetSysColor(look.enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        ::DrawTextA(dc, look.text.c_str(), static_cast<int>(look.text.size()), &label,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    if (look.focus) {
        RECT focus = client;
        ::InflateRect(&focus, -kFocusInset, -kFocusInset);
        ::DrawFocusRect(dc, &focus);
    }
}

// Every pixel is drawn once, straight onto the button, in its final colour:
// the outline, the shadow, then the face and the number in one call; so no
// half-drawn button can show, without drawing into a bitmap first.
void DrawSelected(HDC dc, const RECT& client, const ButtonLook& look) {
    const SelectionColours c = SelectedColours(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_HIGHLIGHT));
    const RECT face = FaceRect(client);
    Fill(dc, RECT{client.left, client.top, client.right, face.top}, c.outline);
    Fill(dc, RECT{client.left, face.bottom, client.right, client.bottom}, c.outline);
    Fill(dc, RECT{client.left, face.top, face.left, face.bottom}, c.outline);
    Fill(dc, RECT{face.right, face.top, client.right, face.bottom}, c.outline);
    Fill(dc, RECT{face.left, face.top, face.right, face.top + 1}, c.shadow);
    Fill(dc, RECT{face.left, face.top + 1, face.left + 1, face.bottom}, c.shadow);

    const RECT lit{face.left + 1, face.top + 1, face.right, face.bottom};
    const dialogkit::SelectGuard keepFont(dc, look.font ? look.font : ::GetStockObject(SYSTEM_FONT));
    SIZE size{};
    const int length = static_cast<int>(look.text.size());
    ::GetTextExtentPoint32A(dc, look.text.c_str(), length, &size);
    // Centred as the platform centres a push button's text, then pressed in.
    const int x = face.left + (face.right - face.left - size.cx) / 2 + kPressedOffset;
    const int y = face.top + (face.bottom - face.top - size.cy) / 2 + kPressedOffset;
    ::SetTextAlign(dc, TA_LEFT | TA_TOP);
    ::SetTextColor(dc, look.enabled ? c.ink : Mix(c.ink, c.face, kDisabledFade));
    ::SetBkColor(dc, c.face);
    ::ExtTextOutA(dc, x, y, ETO_OPAQUE | ETO_CLIPPED, &lit, look.text.c_str(), static_cast<UINT>(length), nullptr);

    if (look.focus) {
        RECT focus = client;
        ::InflateRect(&focus, -kFocusInset, -kFocusInset);
        ::DrawFocusRect(dc, &focus);
    }
}

// A subclassed button keeps the procedure of its class in its user data:
// the animation sends thousands of button messages, and a window property
// would cost a round trip to the window system on each of them.
WNDPROC ClassProc(HWND button) { return reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(button, GWLP_USERDATA)); }

LRESULT CallClass(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcA(ClassProc(button), button, msg, wParam, lParam);
}

bool IsChecked(HWND button) { return CallClass(button, BM_GETCHECK, 0, 0) != BST_UNCHECKED; }

ButtonLook LookOf(HWND button) {
    ButtonLook look;
    look.text = FaceText(button);
    look.font = reinterpret_cast<HFONT>(CallClass(button, WM_GETFONT, 0, 0));
    look.enabled = ::IsWindowEnabled(button) != FALSE;
    const LRESULT state = CallClass(button, BM_GETSTATE, 0, 0);
    look.pushed = (state & BST_PUSHED) != 0;
    const bool focused = (state & BST_FOCUS) != 0;
    const bool cuesHidden = (::SendMessageA(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    look.focus = focused && !cuesHidden;
    return look;
}

void PaintLook(HWND button, HDC dc) {
    RECT client{};
    ::GetClientRect(button, &client);
    if (IsChecked(button)) {
        DrawSelected(dc, client, LookOf(button));
    } else {
        DrawUnchecked(dc, client, LookOf(button));
    }
}

void PaintLookNow(HWND button) {
    const dialogkit::ClientDc dc(button);
    if (dc.Get()) PaintLook(button, dc.Get());
}

// Lets the platform handle a message with its drawing switched off, then
// draws this look: the platform's look never shows in between.
LRESULT InsteadOfThePlatform(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
    CallClass(button, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = CallClass(button, msg, wParam, lParam);
    CallClass(button, WM_SETREDRAW, TRUE, 0);
    PaintLookNow(button);
    return result;
}

// A new check state, the animation's many messages: the platform draws its
// look and this one follows within the same message. Not switched off as
// above, which would cost the animation about a third more per button.
LRESULT SetCheck(HWND button, WPARAM state, bool shown) {
    const bool wasChecked = IsChecked(button);
    const LRESULT result = CallClass(button, BM_SETCHECK, state, 0);
    if (shown && wasChecked != IsChecked(button)) PaintLookNow(button);
    return result;
}

// Messages on which the platform draws the button at once, outside
// WM_PAINT, without changing its check state.
bool DrawsAtOnce(UINT msg) {
    switch (msg) {
        case BM_SETSTATE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE: return true;
        default: return false;
    }
}

// Input that the platform answers with its own state changes (and a mouse
// move while the button holds the capture); these come back through this
// procedure as messages, but the look is drawn again afterwards in case a
// platform changes state without them.
bool ChangesStateOnInput(UINT msg) {
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_LBUTTONUP:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CAPTURECHANGED:
        case BM_CLICK: return true;
        default: return false;
    }
}

LRESULT CALLBACK SelectionButtonProc(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
    const WNDPROC classProc = ClassProc(button);
    if (!classProc) return ::DefWindowProcA(button, msg, wParam, lParam);
    const bool shown = ::IsWindowVisible(button) != FALSE;
    switch (msg) {
        case WM_PAINT: {
            const dialogkit::PaintDc dc(button);
            if (dc.Get()) PaintLook(button, dc.Get());
            return 0;
        }
        case WM_PRINTCLIENT: PaintLook(button, reinterpret_cast<HDC>(wParam)); return 0;
        case BM_SETCHECK: return SetCheck(button, wParam, shown);
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(classProc));
            ::SetWindowLongPtrA(button, GWLP_USERDATA, 0);
            return ::CallWindowProcA(classProc, button, msg, wParam, lParam);
        default:
            if (shown && DrawsAtOnce(msg)) return InsteadOfThePlatform(button, msg, wParam, lParam);
            if (ChangesStateOnInput(msg) || (msg == WM_MOUSEMOVE && ::GetCapture() == button)) {
                const LRESULT result = CallClass(button, msg, wParam, lParam);
                if (::IsWindowVisible(button)) PaintLookNow(button);
                return result;
            }
            break;
    }
    return CallClass(button, msg, wParam, lParam);
}

// A button already shown is drawn again in its new look; one not shown yet
// gets it at its first paint, so a window installing its look before it
// shows spends no repaint on it.
void Subclass(HWND button, bool shown) {
    if (!button || ClassProc(button)) return;
    ::SetWindowLongPtrA(button, GWLP_USERDATA, ::GetWindowLongPtrA(button, GWLP_WNDPROC));
    ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SelectionButtonProc));
    if (shown) ::InvalidateRect(button, nullptr, FALSE);
}

}  // namespace

std::string FaceText(HWND button) {
    const HWND dialog = ::GetParent(button);
    const int index = ::GetDlgCtrlID(button) - ids::kSelectionBase;
    if (!dialog || index < 0 || index >= ids::kRows * ids::kColumns) return {};
    if (::SendDlgItemMessageA(dialog, ids::kNumbers, BM_GETCHECK, 0, 0) == BST_UNCHECKED) return {};
    char number[8];
    std::snprintf(number, sizeof number, kRowNumberFormat, index % ids::kRows + 1);
    return number;
}

void InstallSelectionLook(HWND dialog) {
    const bool shown = ::IsWindowVisible(dialog) != FALSE;
    for (int column = 0; column < ids::kColumns; ++column) {
        for (int row = 0; row < ids::kRows; ++row) Subclass(::GetDlgItem(dialog, ids::Selection(row, column)), shown);
    }
}

}  // namespace grid
