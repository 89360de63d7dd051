// Rows linked to a column of another document, and the companion file that
// publishes this document's columns to other instances.
#include "app/PriceListDlg.h"

void CPriceListDlg::LinkRow(int) {}
void CPriceListDlg::RefreshLinkedRow(int, int) {}
void CPriceListDlg::LinkTick() {}
void CPriceListDlg::PublishColumns() {}
