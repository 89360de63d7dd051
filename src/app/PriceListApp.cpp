#include "app/PriceListApp.h"

#include "app/PriceListDlg.h"

std::string ExeDirFromHelpPath(const std::string& helpPath, const std::string& appName) {
    std::string dir = helpPath;
    for (const std::string& needle : {appName + ".hlp", appName + ".HLP"}) {
        if (needle.size() <= 4) continue;  // an empty name would remove every ".hlp"
        for (size_t at = dir.find(needle); at != std::string::npos; at = dir.find(needle, at)) {
            dir.erase(at, needle.size());
        }
    }
    while (!dir.empty() && (dir.back() == ' ' || dir.back() == '\t' || dir.back() == '\r' ||
                            dir.back() == '\n')) {
        dir.pop_back();
    }
    return dir;
}

CPriceListApp* ThePriceListApp() { return static_cast<CPriceListApp*>(dialogkit::CurrentApp()); }

void CPriceListApp::DerivePaths() {
    m_strExeDir = ExeDirFromHelpPath(HelpPath(), Name());
    m_strConfigPath = m_strExeDir + Name() + kConfigExtension;
}

BOOL CPriceListApp::InitInstance() {
    DerivePaths();
    {
        CPriceListDlg dlg;
        dlg.DoModal();
    }
    SetMainWindow(nullptr);
    return FALSE;
}
