// Rows linked to a column of another document, and the companion file that
// publishes this document's columns to other instances.
#include "app/PriceListDlg.h"
#include "dialogkit/Seams.h"
#include "document/DocumentCodec.h"
#include "document/DocumentKeys.h"
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "links/ColumnPickDlg.h"
#include "links/LinkRules.h"

namespace {

constexpr const char* kLinkFilter = "Quentaro-Datei|*.pgx|Alle Dateien|*.*||";
constexpr DWORD kLinkDialogFlags = OFN_READONLY | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

// Whether the path analysis refuses this path for the length of its long
// form (and says so in a message box).
bool LongFormTooLong(const std::string& path) {
    std::string ignored;
    return !LongFormOf(RemoveQuotes(path), &ignored);
}

}  // namespace

void CPriceListDlg::LinkRow(int row) {
    dialogkit::FileDialogRequest request;
    request.open = true;
    request.initialName = m_rowLinkFile[row];
    request.flags = kLinkDialogFlags;
    request.filter = kLinkFilter;
    request.owner = m_hWnd;
    const dialogkit::FileDialogResult chosen = dialogkit::ShowFileDialog(request);
    if (!chosen.ok) return;
    m_strLinkPickPath = chosen.path;

    CColumnPickDlg pick(*this);
    if (pick.DoModal(m_hWnd) != IDOK) return;
    m_rowLinkFile[row] = m_strLinkPickPath;
    m_rowLinkColumn[row] = pick.m_nColumn;
    // A new link is a change of the document: closing must not lose it
    // without the save question. The refresh keeps the flag set.
    m_bModified = TRUE;
    RefreshLinkedRow(row, 0);
}

void CPriceListDlg::RefreshLinkedRow(int row, int step) {
    const std::string& link = m_rowLinkFile[row];
    if (link.empty()) return;
    const BOOL wasModified = m_bModified;
    if (step != 0) m_bModified = TRUE;
    const int column = SteppedLinkColumn(m_rowLinkColumn[row], step);

    // The path analysis refuses a path whose long form does not fit and
    // says so. Links are read every second, so for a link that message
    // comes once per path and run, whether or not it has been answered yet;
    // the row stays as it is.
    if (LongFormTooLong(link)) {
        if (m_tooLongLinkPaths.insert(link).second) dialogkit::AppMessageBox(kPathTooLongMessage, MB_OK);
        return;
    }
    if (!SetDocumentPath(link, FALSE)) return;
    const DocPathParts& parts = m_lastPathParts;

    // While an instance has the document open its companion file holds the
    // unsaved columns; otherwise the saved document answers. A file that
    // cannot be read gives empty values, and they return with the file.
    const std::string& source = FileExists(parts.strCompanionPath) ? parts.strCompanionPath : link;
    const PublishedColumn values = ReadPublishedColumn(source, column);

    m_rowLinkColumn[row] = column;
    SetItemText(ids::Goods(row), LinkedGoodsText(column, parts.strTitle, values.strName));
    ::EnableWindow(Item(ids::Goods(row)), FALSE);
    SetItemText(ids::Price(row), values.strSum);
    ::EnableWindow(Item(ids::Price(row)), FALSE);

    // Writing the texts went through the change handler: only a step is a
    // change of the document.
    if (step != 0) {
        m_bModified = TRUE;
    } else if (!wasModified) {
        m_bModified = FALSE;
    }
}

void CPriceListDlg::LinkTick() {
    for (int row = 0; row < ids::kRows; ++row) RefreshLinkedRow(row, 0);

    for (int column = 0; column < ids::kColumns; ++column) {
        if (GetItemText(ids::Name(column), doc::kTextBuffer) != m_publishedNames[column] ||
            GetItemText(ids::Sum(column), doc::kTextBuffer) != m_publishedSums[column]) {
            m_bPublishPending = TRUE;
        }
    }
    if (m_bPublishPending) {
        PublishColumns();
        m_bPublishPending = FALSE;
    }
}

void CPriceListDlg::PublishColumns() {
    if (m_strCompanionPath.empty()) return;
    for (int column = 0; column < ids::kColumns; ++column) {
        const char* section = ids::ColumnLetter(column);
        const std::string name = GetItemText(ids::Name(column), doc::kTextBuffer);
        WriteProfileString(m_strCompanionPath, section, doc::kKeyName, OneLineValue(name));
        m_publishedNames[column] = name;
        const std::string sum = GetItemText(ids::Sum(column), doc::kTextBuffer);
        WriteProfileString(m_strCompanionPath, section, doc::kKeySum, sum);
        m_publishedSums[column] = sum;
    }
}
