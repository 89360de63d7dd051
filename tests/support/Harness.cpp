#include "support/Harness.h"

#include <fstream>
#include <iterator>

namespace {

// The next answer of a queue, or the failure of a question nobody expected.
template <typename Answer>
Answer Next(std::deque<Answer>& answers, const std::string& question, Answer unexpected) {
    if (answers.empty()) {
        ADD_FAILURE() << "unexpected " << question;
        return unexpected;
    }
    Answer answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

ScriptedSeams::ScriptedSeams() {
    dialogkit::Seams& s = dialogkit::TheSeams();
    s.messageBox = [this](const std::string& text, UINT type, HWND owner) {
        boxes.push_back({text, type, owner});
        if (whileShown) whileShown();
        return Next(m_boxAnswers, "message box: " + text, static_cast<int>(IDCANCEL));
    };
    s.fileDialog = [this](const dialogkit::FileDialogRequest& request) {
        fileRequests.push_back(request);
        return Next(m_fileAnswers, "file dialog", dialogkit::FileDialogResult{});
    };
    s.shellOpen = [this](const std::string& file) { shellOpened.push_back(file); };
    s.popupMenu = [this](HMENU menu, HWND, POINT) { return menuAnswer ? menuAnswer(menu) : 0u; };
    // A modal dialog runs modeless for the test: the queued work drives it,
    // and what it ended with is its result.
    s.runModal = [this](dialogkit::Dialog& dialog, HWND owner) -> INT_PTR {
        modalTemplates.push_back(dialog.TemplateId());
        const auto work = Next(m_modalDrivers, "modal dialog " + std::to_string(dialog.TemplateId()), std::function<void(HWND)>());
        if (!work) return IDCANCEL;
        const HWND hwnd = dialog.CreateModeless(owner);
        EXPECT_NE(hwnd, nullptr) << "modal dialog " << dialog.TemplateId();
        if (!hwnd) return -1;
        work(hwnd);
        const INT_PTR result = dialog.HasEnded() ? dialog.ModalResult() : -1;
        if (dialog.GetSafeHwnd()) ::DestroyWindow(dialog.GetSafeHwnd());
        return result;
    };
}

ScriptedSeams::~ScriptedSeams() {
    EXPECT_TRUE(m_boxAnswers.empty() && m_fileAnswers.empty() && m_modalDrivers.empty()) << "answers left over";
    dialogkit::TheSeams() = dialogkit::Seams{};
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

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

std::ostream& operator<<(std::ostream& out, const Box& b) {
    return out << '"' << b.text << "\" with "
               << ((b.buttons & MB_TYPEMASK) == MB_YESNOCANCEL ? "Ja, Nein, Abbrechen" : (b.buttons & MB_TYPEMASK) == MB_YESNO ? "Ja, Nein" : "OK")
               << (b.buttons & MB_DEFBUTTON2 ? ", the second the default" : "");
}

std::vector<Box> MainDialogTest::Shown() const {
    std::vector<Box> shown;
    for (const ShownBox& b : seams->boxes) shown.push_back({b.text, b.type});
    return shown;
}

std::ostream& operator<<(std::ostream& out, const RowView& r) {
    return out << (r.linked ? "linked to column " + std::to_string(r.column) + ": \"" : "\"") << r.goods << "\" at \""
               << r.price << "\", selected in \"" << r.selected << "\", info \"" << r.info << '"';
}

RowView MainDialogTest::Row(int row) const {
    RowView r{Text(ids::Goods(row)), Text(ids::Price(row)), "", dlg->m_rowInfo[row].strText, !Enabled(ids::Goods(row)),
              dlg->m_rowLinkColumn[row]};
    for (int column = 0; column < ids::kColumns; ++column) {
        if (Check(ids::Selection(row, column))) r.selected += ids::ColumnLetter(column);
    }
    EXPECT_EQ(Enabled(ids::Price(row)), !r.linked) << "goods and price are disabled together";
    return r;
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

void MainDialogTest::Reopen(const std::function<void()>& open) {
    dlg.reset();
    seams.reset();  // before the next seams are set, not after
    seams = std::make_unique<ScriptedSeams>();
    open ? open() : Open();
}
