#pragma once
// The one way a user action changes the document. Taken at the start of
// the action, it holds the state before and keeps the program's own text
// changes from counting as typing; at its end the step is kept only if a
// value changed, and the modified flag follows the history ("not at the
// saved state"). Inside another one it does nothing: the outer one is the
// action.
//
//     void CPriceListDlg::ToggleSeparator(int separator) {
//         const DocumentChange change(*this);
//         m_separatorLines[separator] = m_separatorLines[separator] == 0 ? 1 : 0;
//     }
#include "commands/CommandHistory.h"

class DocumentChange {
public:
    explicit DocumentChange(CPriceListDlg& dlg);
    ~DocumentChange();
    DocumentChange(const DocumentChange&) = delete;
    DocumentChange& operator=(const DocumentChange&) = delete;
    DocumentChange(DocumentChange&&) = delete;
    DocumentChange& operator=(DocumentChange&&) = delete;

private:
    CPriceListDlg& m_dlg;
    CommandHistory::QuietScope m_quiet;
    bool m_outermost;
    DocumentValues m_before;
};
