#include "dialogkit/WorkerThread.h"

#include <process.h>

#include <memory>
#include <utility>

namespace dialogkit {

WorkerThread::~WorkerThread() {
    if (m_thread) {
        RequestStop();
        Join();
    }
    if (m_stopEvent) ::CloseHandle(m_stopEvent);
}

bool WorkerThread::Start(std::function<unsigned()> body) {
    m_body = std::move(body);
    m_stop = false;
    m_stopEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!m_stopEvent) return false;
    const uintptr_t h = _beginthreadex(nullptr, 0, &WorkerThread::Entry, this, 0, nullptr);
    m_thread = reinterpret_cast<HANDLE>(h);
    return m_thread != nullptr;
}

unsigned __stdcall WorkerThread::Entry(void* self) {
    return static_cast<WorkerThread*>(self)->m_body();
}

void WorkerThread::RequestStop() {
    m_stop = true;
    if (m_stopEvent) ::SetEvent(m_stopEvent);
}

void WorkerThread::Join() {
    if (!m_thread) return;
    for (;;) {
        const DWORD r = ::MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1) break;
        // Serves the messages sent from other threads, nothing else.
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ::CloseHandle(m_thread);
    m_thread = nullptr;
}

bool WorkerThread::IsFinished() const {
    return !m_thread || ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0;
}

bool WorkerThread::Pause(DWORD ms) const {
    if (m_stop.load()) return false;
    return ::WaitForSingleObject(m_stopEvent, ms) == WAIT_TIMEOUT;
}

namespace {

unsigned __stdcall DetachedEntry(void* body) {
    const std::unique_ptr<std::function<void()>> run(static_cast<std::function<void()>*>(body));
    (*run)();
    return 0;
}

}  // namespace

bool StartDetachedThread(std::function<void()> body) {
    auto owned = std::make_unique<std::function<void()>>(std::move(body));
    const uintptr_t h = _beginthreadex(nullptr, 0, &DetachedEntry, owned.get(), 0, nullptr);
    if (h == 0) return false;
    static_cast<void>(owned.release());  // the thread owns it now
    ::CloseHandle(reinterpret_cast<HANDLE>(h));
    return true;
}

}  // namespace dialogkit
