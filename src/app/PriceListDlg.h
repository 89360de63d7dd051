#pragma once
#include "dialogkit/Dialog.h"
#include "dialogkit/GlobalHandle.h"
#include "dialogkit/WorkerThread.h"
#include "model/AnimationScript.h"
#include "model/ControlIds.h"
#include "printing/PrintedContent.h"

#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>

class CommandHistory;
class CompanionWriter;
class IniFile;
class KeyFilter;
struct DocumentValues;
enum class Command;
struct CommandState;
class LinkWatch;

// One row's info: a free text (may hold line breaks), two sources (a file
// path or a URL each) and the auto-open flag.
struct RowInfo {
    std::string strText;
    std::string strSource1;
    std::string strSource2;
    int nAutoOpen = 1;
    bool operator==(const RowInfo&) const = default;
};

// The parts of an analysed document path.
struct DocPathParts {
    std::string strFullPath;       // folder\title.ext
    std::string strCompanionPath;  // folder\title.pgw
    std::string strTitle;          // file name without folder and extension
    std::string strExt;            // ".ext" as spelled, ".pgw" turned into ".pgx"
    bool operator==(const DocPathParts&) const = default;
};

// Messages of the main dialog's own.
inline constexpr UINT WM_APP_ANIMATION = WM_APP + 1;  // a request of the animation worker
inline constexpr UINT WM_APP_ANIM_REAP = WM_APP + 2;  // release a worker that ended by itself
inline constexpr UINT WM_APP_LINKS = WM_APP + 3;      // the link workers found something
inline constexpr UINT WM_APP_SUMS = WM_APP + 4;       // a change may have moved a sum
inline constexpr UINT WM_APP_SHOWN = WM_APP + 5;      // the first paint is on the screen

inline constexpr UINT_PTR kSumTimerId = 4106;
// What a document stores of a goods, price or name text.
inline constexpr int kFieldTextLimit = 259;
inline constexpr UINT_PTR kLinkTimerId = 4107;
inline constexpr UINT kSumTimerMs = 300;
inline constexpr UINT kLinkTimerMs = 1000;

inline constexpr int kNoDrag = 99;  // no row or column drag running
inline constexpr int kNone = -1;    // no hover item yet; no linked column

// The main window: the whole price list. Its controls hold goods, prices,
// names, selections, sums and total; the members hold what controls cannot.
// The handlers live in the files of the subsystems they belong to.
class CPriceListDlg : public dialogkit::Dialog {
public:
    explicit CPriceListDlg(HWND parent = nullptr);
    ~CPriceListDlg() override;

    // --- start-up and lifetime (app/) ---
    void SetBackgroundActive(BOOL bActive);
    void OnHelpButton();
    void OnClose();

    // --- model (model/) ---
    int SelectionButtonState(int row, int column, int newState);
    // Whether a row's goods and price can be edited. A field that loses it
    // while it has the focus hands the focus to the row's first selection
    // button: a disabled field would keep it, and Tab would do nothing.
    void EnableRowEdits(int row, BOOL enabled);
    void OnFieldChanged();
    void OnNumbers();
    void ApplyNumbering();
    void OnTimer(UINT_PTR nIDEvent);
    void UpdateSums();
    // Every change that can move a sum asks for them; a burst of changes
    // (a document read, an undo step, a paste) is worked out once, before
    // the window next waits for input. The sum timer stays for what
    // changes without a notification.
    void RequestSums();
    void OnSumsRequested();
    // The selection buttons' names follow the goods and the column names.
    void UpdateSelectionNames();

    // --- animation (model/) ---
    void StartAnimation();
    void StopAnimation();
    void OnMouseWheel(UINT nFlags, short zDelta, POINT pt);

    // --- document (document/) ---
    // Reads the current document into the window; false when it exists but
    // cannot be read (the user has been told, and nothing changed).
    bool ReadDocument();
    // Makes the document at path current and reads it; a path the analysis
    // refuses, or a document that exists but cannot be read, changes
    // nothing (false).
    bool OpenDocumentFile(const std::string& path);
    // Puts what a document file holds into the window; an empty IniFile
    // gives every default. And the other way round: every key of the
    // document set in the file.
    void ReadDocumentFrom(const IniFile& file);
    void WriteDocumentInto(IniFile& file);
    // Writes the document safely; false when it could not be saved (the
    // user has been told).
    bool WriteDocument();
    BOOL SetDocumentPath(const std::string& path, BOOL bApply);
    int PromptSaveChanges(const std::string& path);
    void OpenDocument(const std::string& path);
    bool IsDocumentExtension() const;
    void OnLoad();
    void OnSaveAs();
    void OnReset();
    void OnDropFiles(HDROP hDrop);

    // --- grid (grid/) ---
    void SetupGeometry();
    void OnPaint();
    void OnMouseMove(UINT nFlags, POINT pt);
    HCURSOR OnQueryDragIcon();
    void OnLButtonDown(UINT nFlags, POINT pt);
    void OnLButtonUp(UINT nFlags, POINT pt);
    void OnLButtonDblClk(UINT nFlags, POINT pt);
    void OnRButtonUp(UINT nFlags, POINT pt);
    void OnRButtonDblClk(UINT nFlags, POINT pt);
    void TransferRow(int from, int to, BOOL copy);
    void TransferColumn(int from, int to, BOOL copy);
    void Repaint(const RECT* rect);
    // A price that does not count as written: its colour and tooltip.
    void CreatePriceTips();
    void UpdatePriceLook(int id);
    bool OnCtlColorEdit(HDC dc, HWND edit, INT_PTR& result);

    // --- row info (rowinfo/) ---
    void OpenRowSource(int row, int source);
    void RunRowInfoDialog();

    // --- links (links/) ---
    void LinkRow(int row);
    void RefreshLinkedRow(int row, int step);
    void LinkTick();
    void PublishColumns();
    // What the link workers found, applied to the rows that show it.
    void OnLinksArrived();
    // The companion file is written as soon as a column name or sum differs
    // from what was published, or a publication is pending.
    void PublishIfChanged();

    // --- commands and their history (commands/) ---
    // The end of a user action (DocumentChange): the step is kept when a
    // value differs from the state before.
    void EndChange(DocumentValues before);
    // The one place the modified flag is set: not at the saved state.
    void FollowHistory();
    void OnUndo();
    void OnRedo();
    void GoThroughHistory(bool back);
    // A field's change, focus loss or click, before the change handler.
    void OnFieldNotified(int id, int code);
    // Another document is current: an empty history.
    void StartNewHistory();
    // The document in the window is now the one in its file.
    void DocumentSaved();
    DocumentValues CaptureValues();
    // Puts values back where they differ from those now in the window.
    void RestoreValues(const DocumentValues& values, const DocumentValues& now);
    void ClearRow(int row);
    void ToggleSeparator(int separator);
    // Every link read again now, as the user asks for it.
    void ReReadLinks();
    // A command from a key or the menu, for the control with this id (0:
    // the window itself). Mouse, keys and menu reach the same operations.
    void RunCommand(Command command, int controlId);
    void ShowCommandMenu(int controlId);
    // What decides which commands apply to that control.
    CommandState CommandStateFor(int controlId);

    // --- printing (printing/) ---
    // The print dialog on the printer and settings chosen last, and the
    // list printed; nothing of the list changes.
    void OnPrint();
    printing::PrintedContent CapturePrintedContent();
    // The print button's face.
    void SetUpPrintButton();
    // Its tooltip, once the window's tooltip control is there.
    void AddPrintTip();

    // --- clipboard (clipboard/) ---
    // The whole list as a table, in text and HTML; nothing in it changes.
    void CopyListAsTable();
    // A range on the clipboard pasted from this goods or price field down;
    // false where the clipboard holds one text, which is the edit's to paste.
    bool PasteRange(int controlId);

    // Members, in the order of the model's description.
    std::array<std::string, ids::kColumns> m_publishedSums;
    std::array<std::string, ids::kColumns> m_publishedNames;
    int m_infoRow = 0;
    std::array<RowInfo, ids::kRows> m_rowInfo;
    int m_nHoverSquare = kNone;
    int m_nHoverRow = kNone;
    int m_nLastDragRow = kNone;
    int m_nHoverColumn = kNone;
    int m_nLastDragColumn = kNone;
    BOOL m_bFirstPaint = TRUE;
    UINT_PTR m_nSumTimer = 0;
    UINT_PTR m_nLinkTimer = 0;
    int m_animDelay = 80;
    int m_animRepeat = -1;
    BOOL m_bStartupPending = TRUE;
    BOOL m_bAnimRunning = FALSE;
    std::unique_ptr<dialogkit::WorkerThread> m_pAnimThread;
    BOOL m_bPublishPending = TRUE;
    DocPathParts m_lastPathParts;
    std::string m_strLinkPickPath;
    std::string m_strDocPath;
    std::string m_strDocTitle;
    std::string m_strCompanionPath;
    std::string m_strExeDir;
    std::string m_strConfigPath;
    // The untitled document, in the folder the program started in.
    std::string m_strUntitledPath;
    std::array<std::string, ids::kRows> m_rowLinkFile;
    std::array<int, ids::kRows> m_rowLinkColumn{};
    BOOL m_bModified = FALSE;
    int m_savedSelection[ids::kRows][ids::kColumns] = {};
    int m_nDragRow = kNoDrag;
    int m_nDragColumn = kNoDrag;
    RECT m_rcRowLabel[ids::kRows] = {};
    RECT m_rcSquare[ids::kRows] = {};
    RECT m_rcColumnHeader[ids::kColumns] = {};
    RECT m_rcSeparator[ids::kSeparators] = {};
    int m_separatorLines[ids::kSeparators] = {};
    dialogkit::Control m_btnNumbers;
    dialogkit::Control m_editTotal;
    // The price fields' tooltip, a child of the window (gone with it).
    HWND m_hPriceTip = nullptr;
    HICON m_hIcon = nullptr;

    // A document file as this window last read or wrote it: its bytes
    // then, and whether this run has saved a document into it.
    struct KnownFile {
        std::string bytes;
        bool savedByThisRun = false;
    };

    // Not in the model: a worker that ended by itself, waiting to be joined;
    // link paths whose "too long" message was shown once already; timer
    // work in progress; the document files this window knows (by PathKey);
    // the workers that look at linked files and write the companion file.
    std::unique_ptr<dialogkit::WorkerThread> m_pRetiredAnimThread;
    AnimationTiming m_animTiming;
    std::set<std::string> m_tooLongLinkPaths;
    bool m_bTimerWorkRunning = false;
    // A WM_APP_SUMS is on its way; how many such requests were worked out.
    bool m_bSumsRequested = false;
    unsigned m_nSumsWorkedOut = 0;
    std::map<std::string, KnownFile> m_knownFiles;
    std::unique_ptr<LinkWatch> m_linkWatch;
    std::unique_ptr<CompanionWriter> m_companion;
    // Undo and redo, and the keys that reach every command.
    std::unique_ptr<CommandHistory> m_history;
    std::unique_ptr<KeyFilter> m_keys;
    // The names the selection buttons carry, by column and row.
    std::array<std::string, ids::kRows * ids::kColumns> m_selectionNames;
    // The row and column marked by "copy" for "put here".
    int m_nCopiedRow = kNone;
    int m_nCopiedColumn = kNone;
    // The printer and its settings chosen last in this run, as the print
    // dialog hands them out; and the print button's icon.
    dialogkit::GlobalHandle m_printDevMode;
    dialogkit::GlobalHandle m_printDevNames;
    HICON m_hPrintIcon = nullptr;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int code) override;
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void DoDataExchange(bool save) override;

private:
    void ProcessCommandLine(const std::string& commandLine);
    // Yes to the save question: writes the document, through the Save As
    // dialog where writing it directly would replace a stranger's file.
    bool SaveAnswered();
    // The Save As dialog and the write; true when the document was written.
    bool SaveAsChosenFile(const std::string& initialName);
    void EndWithSavePrompt(INT_PTR result);
    // Whether this file changed, or came into being, since this window last
    // read or wrote it; a file it never read nor wrote is not its to judge.
    bool ChangedSinceKnown(const std::string& path) const;
    // Timer work and what the link workers bring wait while the animation
    // plays, while such work runs and while a box or dialog is open.
    bool TimerWorkAllowed() const;
    // The sums, the buttons' names and the companion file, as they follow a change.
    void WorkOutSums();
    // What the first paint does not need, done once it is on the screen.
    void OnShown();
    std::vector<std::string> LinkedPaths() const;
    LRESULT OnAnimationRequest(WPARAM wParam, LPARAM lParam);
    void ReapAnimationThread();
    void RestoreSavedSelection();
    void ResetAnimationState();
};
