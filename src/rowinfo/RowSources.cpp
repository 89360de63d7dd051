// A row's info record: editing it in its dialog and opening its sources
// with the shell.
#include "app/PriceListDlg.h"
#include "rowinfo/RowInfoDlg.h"
#include "rowinfo/SourceSafety.h"

void CPriceListDlg::OpenRowSource(int row, int source) {
    const RowInfo& info = m_rowInfo[row];
    const std::string& file = source == 1 ? info.strSource1 : info.strSource2;
    rowinfo::OpenSourceAsking(file);
}

void CPriceListDlg::RunRowInfoDialog() {
    // On OK the dialog has written the record already; the result says
    // nothing more.
    CRowInfoDlg dlg(*this);
    dlg.DoModal(m_hWnd);
    // The square shows the record's new state at once.
    Repaint(&m_rcSquare[m_infoRow]);
}
