// The button-pattern animation: a worker thread plays the configuration
// file's script over the 140 selection buttons. The worker never touches a
// button, a file or a member itself: it asks the window's thread, which
// carries out one request at a time and refuses every request once the
// animation has been stopped. So a stop is immediate and final, and waiting
// for the worker cannot deadlock.
#include "app/PriceListDlg.h"
#include "document/Profile.h"
#include "model/AnimationScript.h"

namespace {

constexpr int kIdleDelayMs = 80;
// The wheel moves the delay in steps of 20 between 40 and 160 ms.
constexpr int kDelayStepMs = 20;
constexpr int kSlowerUpTo = 150;
constexpr int kFasterDownTo = 50;
constexpr int kFirstFrameBuffer = 20;
constexpr int kFrameBuffer = 64;

struct AnimationRequest {
    enum Kind { kApply, kReadFrame, kEndOfPass, kFrameDelay, kFinish };
    Kind kind = kApply;
    const dialogkit::WorkerThread* worker = nullptr;
    const GridStep* step = nullptr;
    int frame = 0;
    int result = 0;
    bool more = false;
    std::string text;
};

// The selection buttons, as the window's thread reaches them.
class DialogGrid : public ButtonGrid {
public:
    explicit DialogGrid(CPriceListDlg& dlg) : m_dlg(dlg) {}
    int State(int row, int column, int newState) override {
        return m_dlg.SelectionButtonState(row, column, newState);
    }

private:
    CPriceListDlg& m_dlg;
};

// The real buttons, reached through requests to the window's thread: each
// step is carried out there whole, between the window's own messages.
class WindowBoard : public AnimationBoard {
public:
    WindowBoard(HWND dialog, const dialogkit::WorkerThread& self) : m_dialog(dialog), m_self(self) {}

    bool Apply(const GridStep& step) override {
        AnimationRequest r = Make(AnimationRequest::kApply);
        r.step = &step;
        return Send(r);
    }
    bool ReadFrame(int frame, std::string* value) override {
        AnimationRequest r = Make(AnimationRequest::kReadFrame);
        r.frame = frame;
        if (!Send(r)) return false;
        *value = std::move(r.text);
        return true;
    }
    bool EndOfPass(bool* more) override {
        AnimationRequest r = Make(AnimationRequest::kEndOfPass);
        if (!Send(r)) return false;
        *more = r.more;
        return true;
    }
    bool Pause(int ms) override { return m_self.Pause(static_cast<DWORD>(ms)); }
    bool FrameDelay(int* ms) override {
        AnimationRequest r = Make(AnimationRequest::kFrameDelay);
        if (!Send(r)) return false;
        *ms = r.result;
        return true;
    }
    void Finish() {
        AnimationRequest r = Make(AnimationRequest::kFinish);
        Send(r);
    }

private:
    AnimationRequest Make(AnimationRequest::Kind kind) const {
        AnimationRequest r;
        r.kind = kind;
        r.worker = &m_self;
        return r;
    }
    bool Send(AnimationRequest& r) const {
        if (m_self.StopRequested()) return false;
        return ::SendMessageA(m_dialog, WM_APP_ANIMATION, 0, reinterpret_cast<LPARAM>(&r)) != 0;
    }

    HWND m_dialog;
    const dialogkit::WorkerThread& m_self;
};

unsigned AnimationThreadProc(HWND dialog, const dialogkit::WorkerThread& self, AnimationTiming timing) {
    WindowBoard board(dialog, self);
    if (PlayAnimation(board, timing)) board.Finish();
    return 0;
}

}  // namespace

void CPriceListDlg::StartAnimation() {
    const std::string first =
        ReadProfileString(m_strConfigPath, kScriptSection, FrameKey(0), "", kFirstFrameBuffer);
    if (first.empty()) {
        m_animRepeat = 0;
        return;
    }
    ReapAnimationThread();
    for (int column = 0; column < ids::kColumns; ++column) {
        for (int row = 0; row < ids::kRows; ++row) {
            m_savedSelection[row][column] = SelectionButtonState(row, column, -1);
        }
    }
    m_bAnimRunning = TRUE;
    auto worker = std::make_unique<dialogkit::WorkerThread>();
    const dialogkit::WorkerThread& self = *worker;
    const HWND dialog = m_hWnd;
    const AnimationTiming timing = m_animTiming;
    if (!worker->Start([dialog, &self, timing] { return AnimationThreadProc(dialog, self, timing); })) {
        m_bAnimRunning = FALSE;
        return;
    }
    m_pAnimThread = std::move(worker);
}

void CPriceListDlg::StopAnimation() {
    if (!m_pAnimThread) return;
    m_pAnimThread->RequestStop();
    m_pAnimThread->Join();
    m_pAnimThread.reset();
    RestoreSavedSelection();
    ResetAnimationState();
}

void CPriceListDlg::RestoreSavedSelection() {
    for (int column = 0; column < ids::kColumns; ++column) {
        for (int row = 0; row < ids::kRows; ++row) {
            SelectionButtonState(row, column, m_savedSelection[row][column]);
        }
    }
}

void CPriceListDlg::ResetAnimationState() {
    m_animDelay = kIdleDelayMs;
    m_animRepeat = -1;
    m_bAnimRunning = FALSE;
    // What changed while it played is summed now.
    RequestSums();
}

void CPriceListDlg::ReapAnimationThread() {
    if (!m_pRetiredAnimThread) return;
    m_pRetiredAnimThread->Join();
    m_pRetiredAnimThread.reset();
}

LRESULT CPriceListDlg::OnAnimationRequest(WPARAM, LPARAM lParam) {
    auto* request = reinterpret_cast<AnimationRequest*>(lParam);
    if (!request || !m_pAnimThread || request->worker != m_pAnimThread.get() ||
        m_pAnimThread->StopRequested()) {
        return 0;
    }
    switch (request->kind) {
        case AnimationRequest::kApply: {
            DialogGrid grid(*this);
            (*request->step)(grid);
            break;
        }
        case AnimationRequest::kReadFrame:
            request->text = ReadProfileString(m_strConfigPath, kScriptSection, FrameKey(request->frame),
                                              kScriptEndDefault, kFrameBuffer);
            break;
        case AnimationRequest::kEndOfPass:
            if (m_animRepeat > 0) --m_animRepeat;
            request->more = m_animRepeat != 0;
            break;
        case AnimationRequest::kFrameDelay: request->result = m_animDelay; break;
        case AnimationRequest::kFinish:
            RestoreSavedSelection();
            ResetAnimationState();
            m_pRetiredAnimThread = std::move(m_pAnimThread);
            ::PostMessageA(m_hWnd, WM_APP_ANIM_REAP, 0, 0);
            break;
    }
    return 1;
}

void CPriceListDlg::OnMouseWheel(UINT, short zDelta, POINT) {
    if (zDelta > 0 && m_animDelay <= kSlowerUpTo) m_animDelay += kDelayStepMs;
    if (zDelta < 0 && m_animDelay >= kFasterDownTo) m_animDelay -= kDelayStepMs;
}
