// Before any header that brings in windows.h, which would declare the old
// Windows Sockets interface.
#include <winsock2.h>

#include "work/DownloadThread.h"

#include <objbase.h>
#include <shlwapi.h>
#include <urlmon.h>
#include <wininet.h>

#include <deque>
#include <unordered_map>

#include "platform/CriticalSection.h"
#include "platform/ScopedWin.h"

using Job = CDownloadThread::THREAD_PARAM_DOWN;

// The queue, the next id and the results under one lock, with the event the
// owner sets for new jobs.
class CDownloadThread::Jobs {
public:
    Jobs(DWORD retryPauseMs, int maxAttempts)
        : m_hJobEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), m_retryPauseMs(retryPauseMs),
          m_maxAttempts(maxAttempts)
    {
    }

    HANDLE JobEvent() const { return m_hJobEvent.get(); }
    DWORD RetryPause() const { return m_retryPauseMs; }
    int MaxAttempts() const { return m_maxAttempts; }

    void Add(Job& job)
    {
        CriticalSectionLock lock(m_lock);
        job.nId = m_nextId++;
        m_queue.push_back(job);
    }

    // The event is reset under the lock whether or not a job was there, so a
    // job that the owner queues and signals afterwards is never missed.
    bool TakeNext(Job& job)
    {
        CriticalSectionLock lock(m_lock);
        const bool taken = !m_queue.empty();
        if (taken) {
            job = std::move(m_queue.front());
            m_queue.pop_front();
        }
        ::ResetEvent(m_hJobEvent.get());
        return taken;
    }

    void Store(const Job& job)
    {
        CriticalSectionLock lock(m_lock);
        m_results[job.nId] = job;
    }

    void Find(int id, Job& result)
    {
        CriticalSectionLock lock(m_lock);
        const auto it = m_results.find(id);
        if (it != m_results.end())
            result = it->second;
    }

private:
    const ScopedHandle m_hJobEvent;
    const DWORD m_retryPauseMs;
    const int m_maxAttempts;
    CCriticalSection m_lock;
    int m_nextId = 0;
    std::deque<Job> m_queue;
    std::unordered_map<int, Job> m_results;
};

namespace {

// Windows Sockets 1.1 and a single-threaded COM apartment for the worker,
// undone when its body ends.
class WorkerApartment {
public:
    WorkerApartment()
    {
        WSADATA data;
        m_sockets = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
        m_com = SUCCEEDED(::CoInitialize(nullptr));
    }
    ~WorkerApartment()
    {
        if (m_com)
            ::CoUninitialize();
        if (m_sockets)
            ::WSACleanup();
    }
    WorkerApartment(const WorkerApartment&) = delete;
    WorkerApartment& operator=(const WorkerApartment&) = delete;

private:
    bool m_sockets = false;
    bool m_com = false;
};

bool HasSize(const wchar_t* path, int size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::PathFileExistsW(path) || !::GetFileAttributesExW(path, GetFileExInfoStandard, &data))
        return false;
    const ULONGLONG actual = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return actual == static_cast<ULONGLONG>(size);
}

// One attempt at a job; on success the local file's path.
bool FetchOnce(const Job& job, std::wstring& localPath)
{
    wchar_t path[MAX_PATH] = {};
    // Every attempt fetches a fresh copy, not what the cache holds.
    ::DeleteUrlCacheEntryW(job.strUrl.c_str());
    if (job.strSavePath.empty()) {
        if (::URLDownloadToCacheFileW(nullptr, job.strUrl.c_str(), path, MAX_PATH, 0, nullptr) != S_OK)
            return false;
        localPath = path;
        return true;
    }
    // A path that does not fit would be cut short and name another file.
    const DWORD length = ::ExpandEnvironmentStringsW(job.strSavePath.c_str(), path, MAX_PATH);
    if (length == 0 || length > MAX_PATH)
        return false;
    localPath = path;
    if (job.nFileSize > 0 && HasSize(path, job.nFileSize))
        return true;
    return ::URLDownloadToFileW(nullptr, job.strUrl.c_str(), path, 0, nullptr) == S_OK;
}

} // namespace

// The body, on the worker's own references to the shared state.
class CDownloadThread::Worker {
public:
    Worker(Control& control, Jobs& jobs) : m_control(control), m_jobs(jobs) {}

    UINT Run()
    {
        const HANDLE events[] = {m_control.StopEvent(), m_jobs.JobEvent()};
        for (;;) {
            const DWORD woke = ::WaitForMultipleObjects(2, events, FALSE, INFINITE);
            if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED ||
                (woke >= WAIT_ABANDONED_0 && woke < WAIT_ABANDONED_0 + 2))
                return 1;
            if (woke != WAIT_OBJECT_0 + 1)
                continue;
            if (!EmptyQueue()) {
                m_control.SetState(TS_STOPPED);
                return 0;
            }
            // Nobody is left to read results or receive messages.
            if (m_control.IsOwnerGone())
                return 1;
        }
    }

private:
    // False when a job aborted.
    bool EmptyQueue()
    {
        Job job;
        while (!m_control.IsOwnerGone() && m_jobs.TakeNext(job)) {
            if (!Process(job))
                return false;
        }
        return true;
    }

    // False on an abort: the job is dropped without a message.
    bool Process(Job job)
    {
        for (int attempts = 0;;) {
            std::wstring localPath;
            if (FetchOnce(job, localPath)) {
                job.strUrl = localPath;
                m_jobs.Store(job);
                Report(job);
                return true;
            }
            if (!job.bRetry) {
                Report(job);
                return true;
            }
            if (::WaitForSingleObject(m_control.StopEvent(), m_jobs.RetryPause()) != WAIT_TIMEOUT)
                return false;
            if (!m_control.HoldIfPaused())
                return false;
            ++attempts;
            if (m_control.IsStopSet() || !m_control.HoldIfPaused())
                return false;
            // Retries exhausted: the job vanishes without a result or message.
            if (attempts >= m_jobs.MaxAttempts())
                return true;
        }
    }

    void Report(const Job& job) { m_control.PostToOwner(job.hWnd, job.nMsg, 0, job.nId); }

    Control& m_control;
    Jobs& m_jobs;
};

CDownloadThread::CDownloadThread(DWORD retryPauseMs, int maxAttempts)
    : m_jobs(std::make_shared<Jobs>(retryPauseMs, maxAttempts)), m_hJobEvent(m_jobs->JobEvent())
{
}

CDownloadThread::~CDownloadThread() = default;

DWORD CDownloadThread::GetRetryPause() const { return m_jobs->RetryPause(); }

int CDownloadThread::GetMaxAttempts() const { return m_jobs->MaxAttempts(); }

void CDownloadThread::AddJob(THREAD_PARAM_DOWN& job) { m_jobs->Add(job); }

void CDownloadThread::GetJobResult(int nId, THREAD_PARAM_DOWN& result) const { m_jobs->Find(nId, result); }

UINT CDownloadThread::Run()
{
    const std::shared_ptr<Jobs> jobs = m_jobs;
    const std::shared_ptr<Control> control = AttachWorker();
    // From here on this object may be gone.
    WorkerApartment apartment;
    return Worker(*control, *jobs).Run();
}
