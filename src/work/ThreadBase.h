// The base of the worker threads: one worker, three manual-reset events
// through which the owner asks it to stop, hold or go on, and a state value.
#pragma once

#include <windows.h>
#include <atomic>
#include <memory>

#include "platform/CriticalSection.h"
#include "platform/ScopedWin.h"

enum : int {
    TS_IDLE = 0,    // constructed, never started
    TS_PAUSED = 1,  // held by Pause, or started deferred (no worker yet)
    TS_RUNNING = 2, // worker running
    TS_STOPPED = 3, // the thread could not be created, or the body aborted
};

class CThreadBase {
public:
    // What the worker shares with its owner. The worker holds a reference of
    // its own, so the events and the state stay valid when the owner deletes
    // the object after its bounded wait while the worker is still busy.
    class Control {
    public:
        Control();
        Control(const Control&) = delete;
        Control& operator=(const Control&) = delete;

        HANDLE StopEvent() const { return m_hStopEvent.get(); }
        HANDLE PauseEvent() const { return m_hPauseEvent.get(); }
        HANDLE ResumeEvent() const { return m_hResumeEvent.get(); }

        int GetState() const { return m_state; }
        void SetState(int state) { m_state = state; }

        // The stop event tested without waiting; a failed test counts as set.
        bool IsStopSet() const;
        // For the points where a body may hold: when the pause event is set,
        // waits for the stop or the resume event. False when the body must end.
        bool HoldIfPaused() const;

        // Posts unless the owner has deleted the object: by then its windows
        // may be gone and their handles given to other windows.
        BOOL PostToOwner(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
        bool IsOwnerGone();
        // The owner's last word: nothing is posted after this returns, and the
        // worker is asked to end.
        void SetOwnerGone();

    private:
        ScopedHandle m_hStopEvent;
        ScopedHandle m_hPauseEvent;
        ScopedHandle m_hResumeEvent;
        std::atomic<int> m_state{TS_IDLE};
        CCriticalSection m_ownerLock;
        bool m_ownerGone = false;
    };

    CThreadBase();
    // Asks a remaining worker to end and keeps it from posting, but does not
    // wait for it: it holds what it shares. The thread handle is closed here,
    // so it stays valid for the owner's wait until then.
    virtual ~CThreadBase();
    CThreadBase(const CThreadBase&) = delete;
    CThreadBase& operator=(const CThreadBase&) = delete;

    // Resets the three events. Deferred: the state becomes TS_PAUSED and
    // Resume starts the worker later. Otherwise the worker starts now and
    // this returns once its body has called AttachWorker (or has ended).
    virtual void Start(BOOL bDeferred);
    virtual void Pause();
    virtual void Resume();
    // Only signals; the worker ends when its body sees the stop event.
    virtual void Stop();
    virtual int GetState() const;
    // Null while there is no worker.
    virtual HANDLE GetThreadHandle() const;

protected:
    // The worker's body; the result is the thread's exit code. It first takes
    // whatever it needs of the derived object, then calls AttachWorker and
    // from then on touches only what it holds: the owner may delete the
    // object at any time after that.
    virtual UINT Run() = 0;

    std::shared_ptr<Control> AttachWorker();

    const std::shared_ptr<Control> m_control;

private:
    static UINT WINAPI ThreadProc(void* param);

    ScopedHandle m_hAttachedEvent;
    ScopedHandle m_thread;
};
