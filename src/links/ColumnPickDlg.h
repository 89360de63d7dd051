#pragma once
// The dialog that shows the seven columns of the document chosen for a link,
// with their names and sums, and lets the user pick one of them.
#include "dialogkit/Dialog.h"
#include "model/ControlIds.h"

#include <array>

class CPriceListDlg;

class CColumnPickDlg : public dialogkit::Dialog {
public:
    // Reads the chosen document's path from the main dialog when it opens.
    explicit CColumnPickDlg(CPriceListDlg& mainDlg);

    // Indexed by column A..G; bound from G down to A.
    std::array<dialogkit::Control, ids::kColumns> m_stcSum;
    std::array<dialogkit::Control, ids::kColumns> m_stcName;
    // The chosen column 0..6 after OK; -1 before.
    int m_nColumn = -1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(bool save) override;

private:
    CPriceListDlg& m_mainDlg;
};
