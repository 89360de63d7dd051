// Rows linked to a column of another document, and the companion file that
// publishes this document's columns to other instances.
#include "app/PriceListDlg.h"
#include "commands/DocumentChange.h"
#include "dialogkit/Seams.h"
#include "document/DocumentKeys.h"
#include "document/DocumentPath.h"
#include "links/ColumnPickDlg.h"
#include "links/CompanionWriter.h"
#include "links/LinkRules.h"
#include "links/LinkWatch.h"

#include <optional>

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
    // A new link is a change of the document: closing must not lose it
    // without the save question. The same link again is none.
    const DocumentChange change(*this);
    m_rowLinkFile[row] = m_strLinkPickPath;
    m_rowLinkColumn[row] = pick.m_nColumn;
    // The new link's folder is looked at now; the row shows it as soon as
    // the look arrives.
    m_linkWatch->Look(LinkedPaths());
    RefreshLinkedRow(row, 0);
}

void CPriceListDlg::RefreshLinkedRow(int row, int step) {
    const std::string& link = m_rowLinkFile[row];
    if (link.empty()) return;
    // A step is the user's; a refresh shows what the link brings.
    std::optional<DocumentChange> change;
    if (step != 0) change.emplace(*this);
    const CommandHistory::QuietScope quiet(*m_history);
    const int column = SteppedLinkColumn(m_rowLinkColumn[row], step);

    // Until its folder's worker has looked at the link, and while a look-up
    // there hangs, the row keeps what it shows; a step is kept and shows
    // with the look.
    const LinkLook* look = m_linkWatch->Find(link);
    if (!look) {
        m_rowLinkColumn[row] = column;
        return;
    }
    // The path analysis refuses a path whose long form does not fit and
    // says so. Links are looked at every second, so for a link that message
    // comes once per path and run, whether or not it has been answered yet;
    // the row stays as it is.
    if (look->analysis.tooLong) {
        if (m_tooLongLinkPaths.insert(link).second) dialogkit::AppMessageBox(kPathTooLongMessage, MB_OK);
        return;
    }
    if (!look->analysis.parts) return;
    m_lastPathParts = *look->analysis.parts;

    // While an instance has the document open its companion file holds the
    // unsaved columns; otherwise the saved document answers. A file that
    // cannot be read gives empty values, and they return with the file.
    const PublishedColumn values = look->columns[column];

    // Texts that did not change are not written again: nothing to redraw,
    // nothing announced.
    m_rowLinkColumn[row] = column;
    UpdateItemText(ids::Goods(row), LinkedGoodsText(column, m_lastPathParts.strTitle, values.strName));
    UpdateItemText(ids::Price(row), values.strSum);
    EnableRowEdits(row, FALSE);
}

std::vector<std::string> CPriceListDlg::LinkedPaths() const {
    std::vector<std::string> paths;
    for (const std::string& link : m_rowLinkFile) {
        if (!link.empty()) paths.push_back(link);
    }
    return paths;
}

void CPriceListDlg::LinkTick() {
    m_linkWatch->Collect();
    for (int row = 0; row < ids::kRows; ++row) RefreshLinkedRow(row, 0);
    PublishIfChanged();
    // The workers last, so that their work does not hold up the window's:
    // the once-a-second look, for folders that cannot be watched and
    // changes a watch missed, and the companion files: whether a write or
    // removal that failed can be done now, and whether the published file
    // is still there.
    m_linkWatch->Look(LinkedPaths());
    m_companion->Tick();
}

void CPriceListDlg::OnLinksArrived() {
    // Held back now, they are taken by the next link tick.
    if (!TimerWorkAllowed()) return;
    m_bTimerWorkRunning = true;
    const std::set<std::string> changed = m_linkWatch->Collect();
    for (int row = 0; row < ids::kRows; ++row) {
        if (changed.count(m_rowLinkFile[row])) RefreshLinkedRow(row, 0);
    }
    m_bTimerWorkRunning = false;
}

void CPriceListDlg::PublishIfChanged() {
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
    // Whatever the names, a companion file is never written into a
    // document: the worker would remove it again as its own.
    if (m_strCompanionPath.empty() || PathKey(m_strCompanionPath) == PathKey(m_strDocPath)) return;
    PublishedColumns columns;
    for (int column = 0; column < ids::kColumns; ++column) {
        m_publishedNames[column] = GetItemText(ids::Name(column), doc::kTextBuffer);
        m_publishedSums[column] = GetItemText(ids::Sum(column), doc::kTextBuffer);
        columns[column] = PublishedColumn{m_publishedNames[column], m_publishedSums[column]};
    }
    m_companion->Publish(m_strCompanionPath, columns);
}
