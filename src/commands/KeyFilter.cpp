#include "commands/KeyFilter.h"

#include "app/PriceListDlg.h"
#include "commands/Commands.h"
#include "dialogkit/Seams.h"

namespace {

// The newest main window of this thread; a test may open a second one
// before the first is gone, which then gets its keys back.
thread_local KeyFilter* g_current = nullptr;

bool Held(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

}  // namespace

KeyFilter::KeyFilter(CPriceListDlg& dlg)
    : m_dlg(dlg), m_hook(::SetWindowsHookExA(WH_MSGFILTER, &KeyFilter::Proc, nullptr, ::GetCurrentThreadId())),
      m_previous(g_current) {
    g_current = this;
}

KeyFilter::~KeyFilter() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    if (g_current == this) g_current = m_previous;
}

LRESULT CALLBACK KeyFilter::Proc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX && g_current && lParam) {
        if (g_current->Filter(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

bool KeyFilter::Filter(const MSG& msg) {
    const HWND wnd = m_dlg.GetSafeHwnd();
    if (!wnd || (msg.hwnd != wnd && !::IsChild(wnd, msg.hwnd))) return false;
    // Keys in a box or dialog over the window are theirs.
    if (dialogkit::ModalDepth() > 0) return false;
    const bool keyDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool keyUp = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!keyDown && !keyUp) return false;
    const KeyChord chord{static_cast<UINT>(msg.wParam), Held(VK_CONTROL), Held(VK_SHIFT), Held(VK_MENU)};
    const int id = msg.hwnd == wnd ? 0 : ::GetDlgCtrlID(msg.hwnd);
    if (keyDown && !chord.ctrl && !chord.shift && !chord.alt && MoveFocus(id, chord.key)) return true;
    const Command command = CommandForKeys(chord);
    if (command == Command::kNone) return false;
    // The release of a command's key must not reach the control either: an
    // edit would open its own menu on the menu key's.
    if (keyUp) return true;
    m_dlg.RunCommand(command, id);
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
