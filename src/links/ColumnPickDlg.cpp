#include "links/ColumnPickDlg.h"

#include "../res/resource.h"
#include "app/PriceListDlg.h"
#include "document/Profile.h"
#include "links/LinkRules.h"

CColumnPickDlg::CColumnPickDlg(CPriceListDlg& mainDlg) : Dialog(IDD_COLUMNPICK), m_mainDlg(mainDlg) {}

void CColumnPickDlg::DoDataExchange(bool save) {
    for (int column = ids::kColumns - 1; column >= 0; --column) {
        BindControl(m_stcSum[column], ids::kPickSumBase + column);
    }
    for (int column = ids::kColumns - 1; column >= 0; --column) {
        BindControl(m_stcName[column], ids::kPickNameBase + column);
    }
    ExchangeRadio(ids::kPickChoiceBase, m_nColumn, save);
}

BOOL CColumnPickDlg::OnInitDialog() {
    Dialog::OnInitDialog();

    // An instance that has the document open publishes its unsaved columns
    // beside it; show those rather than what was last saved. Read here, on
    // the window's thread: it is the file the user has just picked in the
    // file dialog, which waited for its folder as well.
    std::string source = m_mainDlg.m_strLinkPickPath;
    if (FileExists(source)) {
        const std::string companion = CompanionPathOf(source);
        if (FileExists(companion)) source = companion;
    }
    const PublishedColumns columns = ReadPublishedColumns(source);
    for (int column = 0; column < ids::kColumns; ++column) {
        m_stcName[column].SetText(columns[column].strName);
        m_stcSum[column].SetText(columns[column].strSum);
    }

    ::CheckRadioButton(m_hWnd, ids::kPickChoiceBase, ids::kPickChoiceBase + ids::kColumns - 1,
                       ids::kPickChoiceBase);
    return TRUE;
}
