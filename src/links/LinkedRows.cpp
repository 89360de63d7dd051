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
#include "links/LinkSources.h"
#include "document/SafeSave.h"

namespace {

constexpr const char* kLinkFilter = "Quentaro-Datei|*.pgx|Alle Dateien|*.*||";
constexpr DWORD kLinkDialogFlags = OFN_READONLY | OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;

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
    const PathAnalysis& analysis = m_linkSources->Analyse(link);
    if (analysis.tooLong) {
        if (m_tooLongLinkPaths.insert(link).second) dialogkit::AppMessageBox(kPathTooLongMessage, MB_OK);
        return;
    }
    if (!analysis.parts) return;
    m_lastPathParts = *analysis.parts;

    // While an instance has the document open its companion file holds the
    // unsaved columns; otherwise the saved document answers. A file that
    // cannot be read gives empty values, and they return with the file.
    const PublishedColumn& values = m_linkSources->Columns(link, m_lastPathParts)[column];

    // Texts that did not change are not written again: nothing to redraw,
    // nothing announced.
    m_rowLinkColumn[row] = column;
    UpdateItemText(ids::Goods(row), LinkedGoodsText(column, m_lastPathParts.strTitle, values.strName));
    UpdateItemText(ids::Price(row), values.strSum);
    for (const int id : {ids::Goods(row), ids::Price(row)}) {
        if (::IsWindowEnabled(Item(id))) ::EnableWindow(Item(id), FALSE);
    }

    // Writing the texts went through the change handler: only a step is a
    // change of the document.
    if (step != 0) {
        m_bModified = TRUE;
    } else if (!wasModified) {
        m_bModified = FALSE;
    }
}

void CPriceListDlg::LinkTick() {
    {
        const LinkSources::Tick tick(*m_linkSources);
        for (int row = 0; row < ids::kRows; ++row) RefreshLinkedRow(row, 0);
    }
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
    // The file as it is, the fourteen keys changed in it, and written whole
    // in one step: another instance never reads half a publication.
    IniFile companion;
    LoadIniFile(m_strCompanionPath, &companion);
    for (int column = 0; column < ids::kColumns; ++column) {
        const char* section = ids::ColumnLetter(column);
        m_publishedNames[column] = GetItemText(ids::Name(column), doc::kTextBuffer);
        companion.SetString(section, doc::kKeyName, OneLineValue(m_publishedNames[column]));
        m_publishedSums[column] = GetItemText(ids::Sum(column), doc::kTextBuffer);
        companion.SetString(section, doc::kKeySum, OneLineValue(m_publishedSums[column]));
    }
    SaveReplacing(m_strCompanionPath, companion.Bytes(), Durability::kWhole);
}
