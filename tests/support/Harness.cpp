#include "support/Harness.h"

#include <fstream>
#include <iterator>
#include <sstream>

ScriptedSeams::ScriptedSeams() {
    dialogkit::Seams& s = dialogkit::TheSeams();
    s.messageBox = [this](const std::string& text, UINT type, HWND owner) {
        boxes.push_back({text, type, owner});
        if (m_boxAnswers.empty()) {
            ADD_FAILURE() << "unexpected message box: " << text;
            return IDCANCEL;
        }
        const int answer = m_boxAnswers.front();
        m_boxAnswers.pop_front();
        return answer;
    };
    s.fileDialog = [this](const dialogkit::FileDialogRequest& request) {
        fileRequests.push_back(request);
        if (m_fileAnswers.empty()) {
            ADD_FAILURE() << "unexpected file dialog";
            return dialogkit::FileDialogResult{};
        }
        dialogkit::FileDialogResult answer = m_fileAnswers.front();
        m_fileAnswers.pop_front();
        return answer;
    };
    s.shellOpen = [this](const std::string& file) { shellOpened.push_back(file); };
    s.runModal = [this](dialogkit::Dialog& dialog, HWND) -> INT_PTR {
        modalTemplates.push_back(dialog.TemplateId());
        if (m_modalDrivers.empty()) {
            ADD_FAILURE() << "unexpected modal dialog " << dialog.TemplateId();
            return IDCANCEL;
        }
        auto driver = std::move(m_modalDrivers.front());
        m_modalDrivers.pop_front();
        return driver(dialog);
    };
}

ScriptedSeams::~ScriptedSeams() {
    EXPECT_TRUE(m_boxAnswers.empty()) << "message box answers left over";
    EXPECT_TRUE(m_fileAnswers.empty()) << "file dialog answers left over";
    EXPECT_TRUE(m_modalDrivers.empty()) << "modal dialog drivers left over";
    dialogkit::TheSeams() = dialogkit::Seams{};
}

void ScriptedSeams::AnswerFile(const std::string& path) {
    dialogkit::FileDialogResult r;
    r.ok = true;
    r.path = path;
    m_fileAnswers.push_back(r);
}

void ScriptedSeams::CancelFile(DWORD extendedError) {
    dialogkit::FileDialogResult r;
    r.extendedError = extendedError;
    m_fileAnswers.push_back(r);
}

INT_PTR DriveModeless(dialogkit::Dialog& dialog, HWND owner, const std::function<void(HWND)>& driver) {
    const HWND hwnd = dialog.CreateModeless(owner);
    EXPECT_NE(hwnd, nullptr);
    if (!hwnd) return -1;
    driver(hwnd);
    const INT_PTR result = dialog.HasEnded() ? dialog.ModalResult() : -1;
    if (dialog.GetSafeHwnd()) ::DestroyWindow(dialog.GetSafeHwnd());
    return result;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveFile(const std::string& path) {
    ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(path.c_str());
}

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > limitMs) return false;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER) continue;  // ticks are the test's to give
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return true;
}

void MainDialogTest::SetUp() {
    seams = std::make_unique<ScriptedSeams>();
    TestApp().SetCommandLine("");
}

void MainDialogTest::TearDown() {
    dlg.reset();
    seams.reset();
    // A quit posted by a test must not end the next one.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void MainDialogTest::Open(const std::string& commandLine) {
    TestApp().SetCommandLine(commandLine);
    dlg = std::make_unique<CPriceListDlg>();
    ASSERT_NE(dlg->CreateModeless(), nullptr);
}

std::string MainDialogTest::Text(int id) const {
    char buffer[4096] = {};
    ::GetWindowTextA(Item(id), buffer, sizeof buffer);
    return buffer;
}

void MainDialogTest::Type(int id, const std::string& text) const { ::SetWindowTextA(Item(id), text.c_str()); }

void MainDialogTest::Click(int id) const { ::SendMessageA(Item(id), BM_CLICK, 0, 0); }

int MainDialogTest::Check(int id) const { return static_cast<int>(::SendMessageA(Item(id), BM_GETCHECK, 0, 0)); }

std::string MainDialogTest::WindowTitle() const {
    char buffer[1024] = {};
    ::GetWindowTextA(Wnd(), buffer, sizeof buffer);
    return buffer;
}

void MainDialogTest::FirstPaint() const {
    ::InvalidateRect(Wnd(), nullptr, TRUE);
    ::SendMessageA(Wnd(), WM_PAINT, 0, 0);
}

void MainDialogTest::TickSums() const { ::SendMessageA(Wnd(), WM_TIMER, kSumTimerId, 0); }

void MainDialogTest::TickLinks() const { ::SendMessageA(Wnd(), WM_TIMER, kLinkTimerId, 0); }

void MainDialogTest::Command(int id) const {
    ::SendMessageA(Wnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}
