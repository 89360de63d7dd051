// The worker thread: a stop ends a pause at once, and the join serves what
// the worker sends to a window of the joining thread, so neither waits for
// the other forever.
#include "dialogkit/WorkerThread.h"
#include "support/Harness.h"

#include <atomic>

TEST(DialogKitWorker, StopEndsAPauseAndJoinServesTheWorkersMessages) {
    const HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    dialogkit::WorkerThread worker;
    std::atomic<bool> pausing{false}, paused{true};
    std::atomic<LRESULT> answer{-1};
    ASSERT_TRUE(window && worker.Start([&] {
        pausing = true;
        paused = worker.Pause(INFINITE);
        answer = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
        return 0u;
    }));
    ASSERT_TRUE(PumpUntil([&] { return pausing.load(); }));
    worker.RequestStop();
    worker.Join();  // would never return if the pause ignored the stop or the join served no message
    EXPECT_TRUE(!paused && answer == 0 && worker.IsFinished()) << "the stop ended the pause; the join served";
    EXPECT_FALSE(worker.Pause(0)) << "after a stop every pause refuses";
    ::DestroyWindow(window);
}
