#pragma once
#include "dialogkit/Win32.h"

#include <atomic>
#include <functional>

namespace dialogkit {

// A thread with a stop request: the owner asks it to stop (StopRequested,
// WaitForStop) and waits for its end. Waiting keeps serving messages that
// other threads send to this thread's windows, so a worker blocked in
// SendMessage to the waiting thread cannot deadlock the wait.
class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    bool Start(std::function<unsigned()> body);

    // Owner side.
    void RequestStop();
    // Waits until the thread has ended; serves sent messages meanwhile.
    void Join();
    bool IsFinished() const;
    HANDLE Handle() const { return m_thread; }

    // Worker side.
    bool StopRequested() const { return m_stop.load(); }
    // Sleeps up to ms milliseconds; returns false at once when asked to stop.
    bool Pause(DWORD ms) const;

private:
    static unsigned __stdcall Entry(void* self);

    std::function<unsigned()> m_body;
    HANDLE m_thread = nullptr;
    HANDLE m_stopEvent = nullptr;
    std::atomic<bool> m_stop{false};
};

// Starts a thread that nobody waits for: it may be stuck in a call that
// does not return for a long time, and its owner must be free to go
// meanwhile. Whatever it uses it must own (shared state), and it ends by
// itself. False when no thread could be started.
bool StartDetachedThread(std::function<void()> body);

}  // namespace dialogkit
