// Naming the current document and moving it between window and file on
// the user's commands: Load, Save As, Reset, a dropped file, and the save
// question that guards every command that would lose changes.
#include "app/PriceListDlg.h"
#include "dialogkit/Application.h"
#include "dialogkit/Format.h"
#include "dialogkit/LateModules.h"
#include "dialogkit/Seams.h"
#include "document/DocumentPath.h"
#include "document/Profile.h"
#include "document/SafeSave.h"
#include "links/CompanionWriter.h"

namespace {

constexpr const char* kTitleFormat = "%s   -   %s";
constexpr const char* kSaveQuestion = "Änderungen in   %s   speichern ?";
constexpr const char* kResetQuestion = "Alle Einträge löschen ?";
constexpr const char* kDocumentFilter = "Quentaro-Datei|*.pgx|Alle Dateien|*.*||";
// A Save As name the path rules refuse: the list was not saved.
constexpr const char* kBadNameMessage = "Der Name   %s   ist kein gültiger Name für eine Tarvelo-Datei (Endung .pgx) !";
constexpr const char* kChangedMeanwhileQuestion = "Die Datei   %s   wurde inzwischen geändert. Überschreiben ?";
constexpr size_t kShortestDroppedPath = 5;
// Application name, separator and a title of a path that fits 260 bytes.
constexpr int kWindowTitleBuffer = 1024;

}  // namespace

BOOL CPriceListDlg::SetDocumentPath(const std::string& pathIn, BOOL bApply) {
    // An empty path stands for the current document as it is.
    const PathAnalysis analysis = pathIn.empty() ? PathAnalysis{false, SplitDocumentPath(m_strDocPath)} : AnalysePath(pathIn);
    if (analysis.tooLong) dialogkit::AppMessageBox(kPathTooLongMessage, MB_OK);
    const std::optional<DocPathParts>& parts = analysis.parts;
    if (!parts) return FALSE;
    m_lastPathParts = *parts;

    if (bApply) {
        m_companion->Withdraw();
        m_strDocPath = parts->strFullPath;
        m_strDocTitle = parts->strTitle;
        m_strCompanionPath = parts->strCompanionPath;
        const dialogkit::Application* app = dialogkit::CurrentApp();
        const std::string title = dialogkit::Format(kTitleFormat, app ? app->Name().c_str() : "",
                                                    m_strDocTitle.c_str());
        ::SetWindowTextA(m_hWnd, title.c_str());
    }
    return TRUE;
}

bool CPriceListDlg::IsDocumentExtension() const { return IsDocumentExtensionText(m_lastPathParts.strExt); }

int CPriceListDlg::PromptSaveChanges(const std::string& path) {
    if (!m_bModified) return 100;
    switch (dialogkit::AppMessageBox(dialogkit::Format(kSaveQuestion, path.c_str()), MB_YESNOCANCEL)) {
        case IDYES:
            // A save that failed or was cancelled must not let the command go
            // on and lose the changes: it counts as Cancel.
            // The save marks the list unmodified.
            if (!SaveAnswered()) return 2;
            return 0;
        case IDNO: return 1;
        case IDCANCEL: return 2;
        default: return 200;
    }
}

void CPriceListDlg::OpenDocument(const std::string& path) {
    if (PromptSaveChanges(m_strDocPath) == 2) return;
    OpenDocumentFile(path);
}

void CPriceListDlg::OnLoad() {
    SetBackgroundActive(FALSE);
    if (PromptSaveChanges(m_strDocPath) != 2) {
        dialogkit::FileDialogRequest request;
        request.open = true;
        request.initialName = m_strDocPath;
        request.flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES;
        request.filter = kDocumentFilter;
        request.owner = m_hWnd;
        const dialogkit::FileDialogResult chosen = dialogkit::ShowFileDialog(request);
        if (chosen.ok) {
            // A path the analysis refuses reads the current document again.
            const std::string path = SetDocumentPath(chosen.path, FALSE) ? m_lastPathParts.strFullPath : m_strDocPath;
            OpenDocumentFile(path);
        }
    }
    SetBackgroundActive(TRUE);
}

bool CPriceListDlg::SaveAnswered() {
    // The untitled document is written into the starting folder without a
    // dialog; but an Unbenannt.pgx there that this run has not written is
    // somebody's earlier list, and only the user may choose to replace it.
    const auto known = m_knownFiles.find(PathKey(m_strDocPath));
    const bool savedByThisRun = known != m_knownFiles.end() && known->second.savedByThisRun;
    if (PathKey(m_strDocPath) == PathKey(m_strUntitledPath) && FileExists(m_strDocPath) && !savedByThisRun) {
        return SaveAsChosenFile(m_strDocPath.substr(m_strDocPath.rfind('\\') + 1));
    }
    // Another instance, an editor or another program may have saved the
    // document since: their work is not replaced without a word. No counts
    // as a save that failed.
    if (ChangedSinceKnown(m_strDocPath) &&
        dialogkit::AppMessageBox(dialogkit::Format(kChangedMeanwhileQuestion, m_strDocPath.c_str()), MB_YESNO) != IDYES) {
        return false;
    }
    return WriteDocument();
}

bool CPriceListDlg::ChangedSinceKnown(const std::string& path) const {
    const auto known = m_knownFiles.find(PathKey(path));
    if (known == m_knownFiles.end() || !FileExists(path)) return false;
    // A file that cannot be read now cannot be told unchanged.
    std::string now;
    return !ReadWholeFile(path, &now) || now != known->second.bytes;
}

bool CPriceListDlg::SaveAsChosenFile(const std::string& initialName) {
    dialogkit::FileDialogRequest request;
    request.open = false;
    request.defaultExt = kDocumentExtension;
    request.initialName = initialName;
    request.flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_LONGNAMES;
    request.filter = kDocumentFilter;
    request.owner = m_hWnd;
    const dialogkit::FileDialogResult chosen = dialogkit::ShowFileDialog(request);
    if (!chosen.ok) return false;
    // A failed write leaves the document under its old name. The way back
    // removes nothing: the chosen name's companion file may be another
    // instance's, and this one's was withdrawn by the pause.
    const std::string oldPath = m_strDocPath;
    const std::string oldTitle = m_strDocTitle;
    const std::string oldCompanion = m_strCompanionPath;
    const std::string oldWindowTitle = dialogkit::WindowText(m_hWnd, kWindowTitleBuffer);
    const PathAnalysis analysis = AnalysePath(chosen.path);
    if (!analysis.tooLong && !analysis.parts) {
        const size_t slash = chosen.path.find_last_of("\\/");
        const std::string name = chosen.path.substr(slash == std::string::npos ? 0 : slash + 1);
        dialogkit::AppMessageBox(dialogkit::Format(kBadNameMessage, name.c_str()), MB_OK);
        return false;
    }
    if (!SetDocumentPath(chosen.path, TRUE)) return false;
    if (WriteDocument()) return true;
    m_strDocPath = oldPath;
    m_strDocTitle = oldTitle;
    m_strCompanionPath = oldCompanion;
    ::SetWindowTextA(m_hWnd, oldWindowTitle.c_str());
    return false;
}

void CPriceListDlg::OnSaveAs() {
    SetBackgroundActive(FALSE);
    SaveAsChosenFile(m_strDocPath);
    SetBackgroundActive(TRUE);
}

void CPriceListDlg::OnReset() {
    SetBackgroundActive(FALSE);
    const bool go = m_bModified ? PromptSaveChanges(m_strDocPath) != 2
                                : dialogkit::AppMessageBox(kResetQuestion, MB_YESNO) == IDYES;
    if (go) {
        // Every default, from no file at all: a file under any name could
        // hold something.
        SetDocumentPath(m_strUntitledPath, TRUE);
        ReadDocumentFrom(IniFile());
    }
    SetBackgroundActive(TRUE);
}

void CPriceListDlg::OnDropFiles(HDROP hDrop) {
    const auto finish = dialogkit::LateFunction<decltype(&::DragFinish)>(dialogkit::kShell, "DragFinish");
    const auto query = dialogkit::LateFunction<decltype(&::DragQueryFileA)>(dialogkit::kShell, "DragQueryFileA");
    if (!finish || !query) return;
    // A drop delivered by the loop of an open message box or dialog would
    // start a command inside another one.
    if (dialogkit::ModalDepth() > 0) {
        finish(hDrop);
        return;
    }
    SetBackgroundActive(FALSE);
    char path[kLongPathBuffer] = {};
    const UINT n = query(hDrop, 0, path, kLongPathBuffer);
    finish(hDrop);
    const std::string dropped(path, n < kLongPathBuffer ? n : 0);
    if (dropped.size() >= kShortestDroppedPath && SetDocumentPath(dropped, FALSE) && IsDocumentExtension()) {
        // A copy: the save question's Save As may analyse another path.
        const std::string document = m_lastPathParts.strFullPath;
        OpenDocument(document);
    }
    SetBackgroundActive(TRUE);
}
