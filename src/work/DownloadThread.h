// The background downloader: fetches files one job at a time into the
// browser cache or to a path, keeps the results by job id and tells the
// job's window by a posted message when a job ends.
#pragma once

#include <windows.h>
#include <memory>
#include <string>

#include "work/ThreadBase.h"

class CDownloadThread : public CThreadBase {
    class Jobs;
    class Worker;
    // Shared with the worker, which may outlive this object; declared first
    // because m_hJobEvent is taken from it.
    const std::shared_ptr<Jobs> m_jobs;

public:
    struct THREAD_PARAM_DOWN {
        std::wstring strReqUrl;   // carried unchanged
        std::wstring strUrl;      // fetched; on success the local file's path
        std::wstring strSavePath; // environment variables allowed; empty: into the cache
        std::wstring strExtra;    // carried unchanged
        int nFileSize = 0;        // when positive, an existing file of this size is kept
        UINT nMsg = 0;
        int nId = 0;              // given by AddJob
        BOOL bRetry = FALSE;
        int nParam = 0;           // carried unchanged
        HWND hWnd = nullptr;      // receives nMsg with lParam nId
    };

    static constexpr DWORD kRetryPauseMs = 1000;
    static constexpr int kMaxAttempts = 100;

    // A retrying job makes at most maxAttempts attempts, each failed one
    // followed by a pause of retryPauseMs that a stop request cuts short.
    explicit CDownloadThread(DWORD retryPauseMs = kRetryPauseMs, int maxAttempts = kMaxAttempts);
    ~CDownloadThread() override;

    DWORD GetRetryPause() const;
    int GetMaxAttempts() const;

    // Gives the job the next id (the caller's record too) and queues a copy;
    // the owner then sets m_hJobEvent.
    void AddJob(THREAD_PARAM_DOWN& job);
    // Copies the stored result of a fetched job; leaves the record as it is
    // when there is none (the job failed, was dropped or is not done yet).
    void GetJobResult(int nId, THREAD_PARAM_DOWN& result) const;

    // Manual-reset, set by the owner when jobs are waiting; valid as long as
    // this object.
    const HANDLE m_hJobEvent;

protected:
    UINT Run() override;
};
