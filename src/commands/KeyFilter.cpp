#include "commands/KeyFilter.h"

#include "app/PriceListDlg.h"
#include "commands/Commands.h"
#include "dialogkit/Seams.h"

#include <algorithm>
#include <vector>

namespace {

// Every main window of this thread, in any order of coming and going (a
// test may open a second one before the first is gone), and the one hook
// they share while there is any: each message goes to the window it is for.
thread_local std::vector<KeyFilter*> g_filters;
thread_local HHOOK g_hook = nullptr;

constexpr SHORT kKeyDown = static_cast<SHORT>(0x8000);
constexpr UINT kKeyV = 'V';
bool Held(int key) { return (::GetKeyState(key) & kKeyDown) != 0; }

}  // namespace

KeyFilter::KeyFilter(CPriceListDlg& dlg) : m_dlg(dlg) {
    if (g_filters.empty()) g_hook = ::SetWindowsHookExA(WH_MSGFILTER, &KeyFilter::Proc, nullptr, ::GetCurrentThreadId());
    g_filters.push_back(this);
}

KeyFilter::~KeyFilter() {
    g_filters.erase(std::remove(g_filters.begin(), g_filters.end(), this), g_filters.end());
    if (g_filters.empty() && g_hook) {
        ::UnhookWindowsHookEx(g_hook);
        g_hook = nullptr;
    }
}

LRESULT CALLBACK KeyFilter::Proc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && lParam) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        // A copy: a command may open or close a window, and with it a filter.
        const std::vector<KeyFilter*> filters = g_filters;
        for (KeyFilter* filter : filters) {
            if (std::find(g_filters.begin(), g_filters.end(), filter) != g_filters.end() && filter->Filter(msg))
                return TRUE;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyFilter::Filter(const MSG& msg) {
    const HWND wnd = m_dlg.GetSafeHwnd();
    if (!wnd || (msg.hwnd != wnd && !::IsChild(wnd, msg.hwnd))) return false;
    // Keys in a box or dialog over the window are theirs.
    if (dialogkit::ModalDepth() > 0) return false;
    const int id = msg.hwnd == wnd ? 0 : ::GetDlgCtrlID(msg.hwnd);
    if (msg.message == WM_CHAR) return TypeDecimalPoint(msg, id);
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool keyUp = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!keyDown && !keyUp) return false;
    if (msg.wParam == VK_MENU) {
        const bool chordsAlt = keyUp && m_altOfChord;
        m_altOfChord = false;
        if (chordsAlt) return true;
    }
    const KeyChord chord{static_cast<UINT>(msg.wParam), Held(VK_CONTROL), Held(VK_SHIFT), Held(VK_MENU)};
    // A range on the clipboard fills rows; one text stays the edit's paste.
    const bool paste = chord.key == kKeyV && chord.ctrl && !chord.shift && !chord.alt;
    if (paste && keyDown && m_dlg.PasteRange(id)) return true;
    if (keyDown && !chord.ctrl && !chord.shift && !chord.alt && MoveFocus(id, chord.key)) return true;
    const Command command = CommandForKeys(chord);
    if (command == Command::kNone) return false;
    // The release of a command's key must not reach the control either: an
    // edit would open its own menu on the menu key's.
    if (keyUp) return true;
    m_altOfChord = chord.alt;
    m_dlg.RunCommand(command, id);
    return true;
}

bool KeyFilter::TypeDecimalPoint(const MSG& msg, int id) const {
    // The comma key and the keypad's decimal key of a German keyboard type
    // ','; a price counts only up to it, so a price takes '.' instead, as
    // the same keystroke. Texts set otherwise reach no key filter.
    if (msg.wParam != ',' || !ids::IsPrice(id)) return false;
    ::SendMessageA(msg.hwnd, WM_CHAR, '.', msg.lParam);
    return true;
}

bool KeyFilter::MoveFocus(int id, UINT key) const {
    // A linked row's disabled edits are passed over.
    int to = ArrowTarget(id, key);
    while (to && !::IsWindowEnabled(m_dlg.Item(to))) to = ArrowTarget(to, key);
    if (!to) return false;
    ::SendMessageA(m_dlg.GetSafeHwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_dlg.Item(to)), TRUE);
    return true;
}
