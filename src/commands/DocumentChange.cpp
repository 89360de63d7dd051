#include "commands/DocumentChange.h"

DocumentChange::DocumentChange(CPriceListDlg& dlg)
    : m_dlg(dlg), m_quiet(*dlg.m_history), m_outermost(dlg.m_history->EnterChange()) {
    if (m_outermost) m_before = m_dlg.CaptureValues();
}

DocumentChange::~DocumentChange() {
    m_dlg.m_history->LeaveChange();
    if (!m_outermost) return;
    try {
        m_dlg.EndChange(std::move(m_before));
    } catch (...) {
        // Out of memory: the change stands without a step, and the list
        // counts as modified.
        m_dlg.m_history->LoseSaved();
        m_dlg.FollowHistory();
    }
}
