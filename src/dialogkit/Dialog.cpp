#include "dialogkit/Dialog.h"

#include "dialogkit/Seams.h"

#include <optional>
#include <vector>

namespace dialogkit {

std::string WindowText(HWND hwnd, int bufferSize) {
    if (!hwnd || bufferSize <= 0) return {};
    std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
    const int n = ::GetWindowTextA(hwnd, buffer.data(), bufferSize);
    return std::string(buffer.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

int Control::GetCheck() const {
    return static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
}

void Control::SetCheck(int state) const {
    ::SendMessageA(m_hWnd, BM_SETCHECK, static_cast<WPARAM>(state), 0);
}

std::string Control::GetText(int bufferSize) const { return WindowText(m_hWnd, bufferSize); }

void Control::SetText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }

void Control::Enable(bool enable) const { ::EnableWindow(m_hWnd, enable ? TRUE : FALSE); }

Dialog::Dialog(UINT templateId) : m_templateId(templateId) {}

Dialog::~Dialog() {
    if (m_hWnd && !m_modal) {
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR Dialog::DoModal(HWND owner) {
    // A dialog over another window holds that window's work back while it
    // is open; a dialog of its own (the program's main window) does not.
    std::optional<ModalScope> modal;
    if (owner) modal.emplace();
    if (TheSeams().runModal) return TheSeams().runModal(*this, owner);
    return RunModalLoop(owner);
}

INT_PTR Dialog::RunModalLoop(HWND owner) {
    m_modal = true;
    m_ended = false;
    const INT_PTR r = ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId),
                                        owner, &Dialog::StaticProc, reinterpret_cast<LPARAM>(this));
    m_modal = false;
    m_ended = true;
    m_result = r;
    return r;
}

HWND Dialog::CreateModeless(HWND owner) {
    m_modal = false;
    m_ended = false;
    return ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_templateId), owner,
                                &Dialog::StaticProc, reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) {
    m_ended = true;
    m_result = result;
    if (m_modal) ::EndDialog(m_hWnd, result);
}

HWND Dialog::Item(int id) const {
    const auto it = m_items.find(id);
    return it != m_items.end() ? it->second : ::GetDlgItem(m_hWnd, id);
}

void Dialog::CacheItems() {
    m_items.clear();
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        if (id > 0 && id < 0xFFFF) m_items.emplace(id, child);
    }
}

std::string Dialog::GetItemText(int id, int bufferSize) const {
    return WindowText(Item(id), bufferSize);
}

void Dialog::SetItemText(int id, const std::string& text) const {
    ::SetWindowTextA(Item(id), text.c_str());
}

void Dialog::UpdateItemText(int id, const std::string& text) const {
    const HWND item = Item(id);
    if (WindowText(item, static_cast<int>(text.size()) + 2) != text) ::SetWindowTextA(item, text.c_str());
}

BOOL Dialog::OnInitDialog() {
    DoDataExchange(false);
    return TRUE;
}

void Dialog::OnOK() {
    DoDataExchange(true);
    EndDialog(IDOK);
}

void Dialog::OnCancel() { EndDialog(IDCANCEL); }

bool Dialog::OnCommand(int, int) { return false; }

bool Dialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) { return false; }

void Dialog::DoDataExchange(bool) {}

void Dialog::BindControl(Control& control, int id) const { control.Attach(Item(id)); }

void Dialog::ExchangeRadio(int firstId, int& value, bool save) const {
    // The group runs from firstId to the next control with WS_GROUP.
    HWND first = Item(firstId);
    int index = 0;
    for (HWND h = first; h; h = ::GetWindow(h, GW_HWNDNEXT), ++index) {
        if (h != first && (::GetWindowLongA(h, GWL_STYLE) & WS_GROUP)) break;
        if (save) {
            if (::SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = index;
                return;
            }
        } else {
            ::SendMessageA(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    if (save) value = -1;
}

INT_PTR CALLBACK Dialog::StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->m_hWnd = hwnd;
        self->CacheItems();
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    const INT_PTR r = self->Proc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
        self->m_items.clear();
    }
    return r;
}

INT_PTR Dialog::Proc(UINT msg, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = FALSE;
    if (msg == WM_INITDIALOG) return OnInitDialog();
    if (OnMessage(msg, wParam, lParam, result)) return result;
    if (msg == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDOK && code == BN_CLICKED) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL && code == BN_CLICKED) {
            OnCancel();
            return TRUE;
        }
        return OnCommand(id, code) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace dialogkit
