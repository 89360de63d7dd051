#pragma once
// The dialog that edits one row's info record: the info text, the two
// sources (file path or URL) and the auto-open flag.
#include "dialogkit/Dialog.h"

#include <string>

class CPriceListDlg;

class CRowInfoDlg : public dialogkit::Dialog {
public:
    // Works on the record of the main dialog's m_infoRow and writes it back
    // there on OK.
    explicit CRowInfoDlg(CPriceListDlg& mainDlg);

    int m_nRow = 0;
    std::string m_strOldText;
    std::string m_strOldSource1;
    std::string m_strOldSource2;
    int m_bOldAutoOpen = 1;
    dialogkit::Control m_btnOpen2;
    dialogkit::Control m_btnOpen1;
    dialogkit::Control m_editSource2;
    dialogkit::Control m_editSource1;
    dialogkit::Control m_editText;
    dialogkit::Control m_chkAutoOpen;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id, int code) override;
    void DoDataExchange(bool save) override;

private:
    void OnChangeSource1();
    void OnChangeSource2();
    void BrowseSource(int source);
    void OpenSource(int source);
    void OnClearAll();

    CPriceListDlg& m_mainDlg;
};
