// The thin Win32 layer: the worker thread's stop and join, formatting.
#include "dialogkit/Format.h"
#include "dialogkit/WorkerThread.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(DialogKitFormat, FormatsWhateverLengthItNeeds) {
    EXPECT_EQ(dialogkit::Format("%s   -   %s", "Tarvelo", "Unbenannt"), "Tarvelo   -   Unbenannt");
    const std::string longPath(5000, 'p');
    EXPECT_EQ(dialogkit::Format("<%s>", longPath.c_str()).size(), 5002u);
    EXPECT_EQ(dialogkit::Format("%02i", 7), "07");
}

TEST(DialogKitWorker, StopEndsAPauseAtOnce) {
    dialogkit::WorkerThread worker;
    std::atomic<bool> paused{false};
    std::atomic<bool> resultOfPause{true};
    ASSERT_TRUE(worker.Start([&] {
        paused = true;
        resultOfPause = worker.Pause(INFINITE);
        return 0u;
    }));
    while (!paused) ::Sleep(1);
    worker.RequestStop();
    worker.Join();  // would never return if the pause ignored the stop
    EXPECT_FALSE(resultOfPause);
    EXPECT_TRUE(worker.IsFinished());
    EXPECT_FALSE(worker.Pause(0)) << "after a stop every pause refuses";
}

// The worker waits in SendMessage for a window of the joining thread: the
// join serves that message, so neither waits for the other forever.
TEST(DialogKitWorker, JoinServesMessagesTheWorkerSends) {
    const HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    dialogkit::WorkerThread worker;
    std::atomic<bool> sending{false};
    std::atomic<LRESULT> answer{-1};
    ASSERT_TRUE(worker.Start([&] {
        sending = true;
        answer = ::SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
        return 0u;
    }));
    // Until the worker's message waits for this thread.
    ASSERT_EQ(::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000, QS_SENDMESSAGE), WAIT_OBJECT_0);
    worker.RequestStop();
    worker.Join();
    EXPECT_EQ(answer, 0);
    ::DestroyWindow(window);
}
