#pragma once
// Test harness: the application object, scripted answers for every message
// box, file dialog, shell call and modal dialog, and a fixture that creates
// the real main dialog from its template, invisible and modeless.
#include "app/PriceListApp.h"
#include "app/PriceListDlg.h"
#include "dialogkit/Seams.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The application object of the test program, named "Tarvelo" like the exe.
CPriceListApp& TestApp();
// A fresh folder for the test program's files (also its working directory).
const std::string& TestDir();

struct ShownBox { std::string text; UINT type; HWND owner; };

// A message box as the user sees it: its text and its buttons.
struct Box {
    std::string text;
    UINT buttons = MB_OK;
    bool operator==(const Box&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Box& b);

// Answers what the program asks, in order; records what it showed.
class ScriptedSeams {
public:
    ScriptedSeams();
    ~ScriptedSeams();

    void AnswerBox(int answer) { m_boxAnswers.push_back(answer); }
    void AnswerFile(const std::string& path) { m_fileAnswers.push_back({true, path, 0}); }
    void CancelFile(DWORD extendedError = 0) { m_fileAnswers.push_back({false, "", extendedError}); }
    // The next modal dialog, worked by `work` as a person would while it is open.
    void AnswerDialog(std::function<void(HWND)> work) { m_modalDrivers.push_back(std::move(work)); }

    std::vector<ShownBox> boxes;
    std::function<void()> whileShown;  // what happens while a box waits for its answer
    std::vector<dialogkit::FileDialogRequest> fileRequests;
    std::vector<std::string> shellOpened;
    std::function<UINT(HMENU)> menuAnswer;  // the item a context menu answers with; none
    std::vector<UINT> modalTemplates;

private:
    std::deque<int> m_boxAnswers;
    std::deque<dialogkit::FileDialogResult> m_fileAnswers;
    std::deque<std::function<void(HWND)>> m_modalDrivers;
};

// Work for AnswerDialog: presses the dialog's button `id` (IDOK, IDCANCEL, …).
inline std::function<void(HWND)> Pressing(int id) {
    return [id](HWND h) { ::SendMessageA(h, WM_COMMAND, static_cast<WPARAM>(id), 0); };
}

// Files.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
inline bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
inline void RemoveFile(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

// Serves the messages waiting for this thread (timers excluded) until the
// predicate holds or the limit passes; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 5000);

// A row as the user sees it: goods and price, the columns whose button is
// down, its info text, whether it is linked (goods and price disabled) and
// the column its link stands on (-1: none).
struct RowView {
    std::string goods, price, selected, info;
    bool linked = false;
    int column = -1;
    bool operator==(const RowView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const RowView& r);

class MainDialogTest : public ::testing::Test {
public:
    void SetUp() override;
    void TearDown() override;

    // Creates the dialog with the given command line.
    void Open(const std::string& commandLine = "");
    // Ends the dialog and, with fresh seams, opens the next as `open` does
    // (untitled without it), as a new start of the program.
    void Reopen(const std::function<void()>& open = {});
    // Whether both timers were running; stops them, so the ticks stay the test's.
    bool TimersRunning() const { return ::KillTimer(Wnd(), kSumTimerId) & ::KillTimer(Wnd(), kLinkTimerId); }

    HWND Wnd() const { return dlg->GetSafeHwnd(); }
    HWND Item(int id) const { return dlg->Item(id); }
    std::string Text(int id) const { return dialogkit::WindowText(Item(id), 4096); }
    // Sets a control's text as typing would: the change notification runs.
    void Type(int id, const std::string& text) const { ::SetWindowTextA(Item(id), text.c_str()); }
    void Click(int id) const { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }
    int Check(int id) const { return static_cast<int>(::SendMessageA(Item(id), BM_GETCHECK, 0, 0)); }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    std::string WindowTitle() const { return dialogkit::WindowText(Wnd(), 1024); }
    // The first paint starts the timers; the ticks are the tests' to give.
    void FirstPaint() const {
        ::InvalidateRect(Wnd(), nullptr, TRUE);
        ::SendMessageA(Wnd(), WM_PAINT, 0, 0);
    }
    void TickSums() const { ::SendMessageA(Wnd(), WM_TIMER, kSumTimerId, 0); }
    // Serves what waits, as the window does before it waits for input; no tick.
    static void Pump() { PumpUntil([] { return false; }, 0); }
    RowView Row(int row) const;
    // The message boxes shown since the seams were set.
    std::vector<Box> Shown() const;

    std::unique_ptr<ScriptedSeams> seams;
    std::unique_ptr<CPriceListDlg> dlg;
};
