#pragma once
#include "dialogkit/Win32.h"

#include <string>
#include <unordered_map>

namespace dialogkit {

// A child control bound to a member of its dialog (the dialog-data exchange
// of a control): it only remembers the window handle.
class Control {
public:
    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }
    int GetCheck() const;
    void SetCheck(int state) const;
    std::string GetText(int bufferSize) const;
    void SetText(const std::string& text) const;
    void Enable(bool enable) const;

private:
    HWND m_hWnd = nullptr;
};

// Text of a window, at most bufferSize - 1 characters, as a fixed buffer
// of bufferSize bytes would hold it.
std::string WindowText(HWND hwnd, int bufferSize);

// A dialog made from a template resource of the executable. A static proc
// stores the object at WM_INITDIALOG and forwards every message to it.
// Run modally (DoModal) in the program; created modeless by tests, which
// then drive it with messages.
class Dialog {
public:
    explicit Dialog(UINT templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally through the runModal seam; returns the result
    // given to EndDialog.
    INT_PTR DoModal(HWND owner = nullptr);
    // The real modal loop (what the seam does by default).
    INT_PTR RunModalLoop(HWND owner);
    // Creates the dialog without a modal loop; nullptr on failure.
    HWND CreateModeless(HWND owner = nullptr);

    void EndDialog(INT_PTR result);
    bool HasEnded() const { return m_ended; }
    INT_PTR ModalResult() const { return m_result; }

    HWND GetSafeHwnd() const { return m_hWnd; }
    UINT TemplateId() const { return m_templateId; }
    // The child control with this id; the handles are looked up once, since
    // asking the system for a child by id walks the whole list every time.
    HWND Item(int id) const;
    std::string GetItemText(int id, int bufferSize) const;
    void SetItemText(int id, const std::string& text) const;
    // Sets the text only when it differs: an unchanged text is neither
    // redrawn nor announced with a change notification.
    void UpdateItemText(int id, const std::string& text) const;

protected:
    // Base initialisation binds the member controls (DoDataExchange).
    virtual BOOL OnInitDialog();
    // Default: exchange data from the controls, then end with IDOK.
    virtual void OnOK();
    virtual void OnCancel();
    // Control notifications other than IDOK and IDCANCEL; true = handled.
    virtual bool OnCommand(int id, int code);
    // Any message before the default handling; true = handled, result set.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result);
    // save = false fills controls from members, true the other way round.
    virtual void DoDataExchange(bool save);
    void BindControl(Control& control, int id) const;
    // The index of the checked radio button of the group starting at firstId.
    void ExchangeRadio(int firstId, int& value, bool save) const;

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Proc(UINT msg, WPARAM wParam, LPARAM lParam);

    void CacheItems();

    UINT m_templateId;
    std::unordered_map<int, HWND> m_items;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = 0;
};

}  // namespace dialogkit
