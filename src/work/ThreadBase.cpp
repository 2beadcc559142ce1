#include "work/ThreadBase.h"

#include "platform/Thread.h"

namespace {
HANDLE NewManualResetEvent() { return ::CreateEventW(nullptr, TRUE, FALSE, nullptr); }
} // namespace

CThreadBase::Control::Control()
    : m_hStopEvent(NewManualResetEvent()), m_hPauseEvent(NewManualResetEvent()),
      m_hResumeEvent(NewManualResetEvent())
{
}

bool CThreadBase::Control::IsStopSet() const
{
    return ::WaitForSingleObject(StopEvent(), 0) != WAIT_TIMEOUT;
}

bool CThreadBase::Control::HoldIfPaused() const
{
    if (::WaitForSingleObject(PauseEvent(), 0) != WAIT_OBJECT_0)
        return true;
    const HANDLE events[] = {StopEvent(), ResumeEvent()};
    return ::WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

BOOL CThreadBase::Control::PostToOwner(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CriticalSectionLock lock(m_ownerLock);
    return !m_ownerGone && ::PostMessageW(wnd, msg, wParam, lParam);
}

bool CThreadBase::Control::IsOwnerGone()
{
    CriticalSectionLock lock(m_ownerLock);
    return m_ownerGone;
}

void CThreadBase::Control::SetOwnerGone()
{
    CriticalSectionLock lock(m_ownerLock);
    m_ownerGone = true;
    ::SetEvent(StopEvent());
}

CThreadBase::CThreadBase()
    : m_control(std::make_shared<Control>()), m_hAttachedEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr))
{
}

CThreadBase::~CThreadBase() { m_control->SetOwnerGone(); }

void CThreadBase::Start(BOOL bDeferred)
{
    ::ResetEvent(m_control->StopEvent());
    ::ResetEvent(m_control->PauseEvent());
    ::ResetEvent(m_control->ResumeEvent());
    if (bDeferred) {
        m_control->SetState(TS_PAUSED);
        return;
    }
    // Set before the worker runs, so that a body that aborts at once is not
    // overwritten.
    m_control->SetState(TS_RUNNING);
    ::ResetEvent(m_hAttachedEvent.get());
    m_thread = BeginThread(&CThreadBase::ThreadProc, this);
    if (!m_thread) {
        m_control->SetState(TS_STOPPED);
        return;
    }
    // Until the body has its own references it reads this object, which the
    // owner must not delete before then.
    const HANDLE waits[] = {m_hAttachedEvent.get(), m_thread.get()};
    ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
}

void CThreadBase::Pause()
{
    if (m_control->GetState() != TS_RUNNING)
        return;
    ::ResetEvent(m_control->ResumeEvent());
    ::SetEvent(m_control->PauseEvent());
    m_control->SetState(TS_PAUSED);
}

void CThreadBase::Resume()
{
    if (m_control->GetState() != TS_PAUSED)
        return;
    if (!m_thread) {
        Start(FALSE);
        return;
    }
    ::ResetEvent(m_control->PauseEvent());
    ::SetEvent(m_control->ResumeEvent());
    m_control->SetState(TS_RUNNING);
}

void CThreadBase::Stop()
{
    if (m_control->GetState() != TS_STOPPED)
        ::SetEvent(m_control->StopEvent());
}

int CThreadBase::GetState() const { return m_control->GetState(); }

HANDLE CThreadBase::GetThreadHandle() const { return m_thread.get(); }

std::shared_ptr<CThreadBase::Control> CThreadBase::AttachWorker()
{
    std::shared_ptr<Control> control = m_control;
    ::SetEvent(m_hAttachedEvent.get());
    return control;
}

UINT WINAPI CThreadBase::ThreadProc(void* param)
{
    auto* self = static_cast<CThreadBase*>(param);
    return self ? self->Run() : 0;
}
