#pragma once
// The keys of the main window's commands, taken before any of its controls
// sees them: a message filter of the thread, which every dialog loop asks
// before it hands a message on (IsDialogMessage does so too).
#include "dialogkit/Win32.h"

class CPriceListDlg;

class KeyFilter {
public:
    explicit KeyFilter(CPriceListDlg& dlg);
    ~KeyFilter();
    KeyFilter(const KeyFilter&) = delete;
    KeyFilter& operator=(const KeyFilter&) = delete;

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam);
    // True when the message was a command's key and has been carried out.
    bool Filter(const MSG& msg);
    // Moves the focus as an arrow key asks for; false where it does not.
    bool MoveFocus(int id, UINT key) const;
    // A comma typed into a price, typed as '.'; false elsewhere.
    bool TypeDecimalPoint(const MSG& msg, int id) const;

    CPriceListDlg& m_dlg;
    // The Alt key of a chord carried out here is still down: its release
    // is the chord's too. Let through, the window would take it for Alt
    // pressed alone and enter the menu mode, eating the next key.
    bool m_altOfChord = false;
};
