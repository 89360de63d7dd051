// Opening a row's sources with the shell.
#include "app/PriceListDlg.h"
#include "dialogkit/Seams.h"

void CPriceListDlg::OpenRowSource(int row, int source) {
    const RowInfo& info = m_rowInfo[row];
    const std::string& file = source == 1 ? info.strSource1 : info.strSource2;
    if (!file.empty()) dialogkit::ShellOpen(file);
}

void CPriceListDlg::RunRowInfoDialog() {}
