// Mouse gestures on the window's surface.
#include "app/PriceListDlg.h"

void CPriceListDlg::OnLButtonDown(UINT, POINT) {}
void CPriceListDlg::OnLButtonUp(UINT, POINT) {}
void CPriceListDlg::OnLButtonDblClk(UINT, POINT) {}
void CPriceListDlg::OnRButtonUp(UINT, POINT) {}
void CPriceListDlg::OnRButtonDblClk(UINT, POINT) {}
void CPriceListDlg::TransferRow(int, int, BOOL) {}
void CPriceListDlg::TransferColumn(int, int, BOOL) {}
