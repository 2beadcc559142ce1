#include <gtest/gtest.h>

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/LocalHttpServer.h"
#include "work/DownloadThread.h"
#include "work/MessageSink.h"
#include "work/RefusedPort.h"

namespace {

using Job = CDownloadThread::THREAD_PARAM_DOWN;

constexpr UINT kDoneMsg = WM_USER + 102;
constexpr DWORD kWaitMs = 10000;

std::string ReadFile(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::wstring& path, const std::string& bytes)
{
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

bool IsCached(const std::wstring& url)
{
    DWORD size = 0;
    return ::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size) || ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

class DownloadThreadTest : public testing::Test {
protected:
    void TearDown() override
    {
        if (!m_thread)
            return;
        m_thread->Stop();
        if (const HANDLE worker = m_thread->GetThreadHandle()) {
            EXPECT_EQ(::WaitForSingleObject(worker, kWaitMs), WAIT_OBJECT_0);
        }
    }

    CDownloadThread& StartThread(DWORD retryPauseMs = CDownloadThread::kRetryPauseMs,
                                 int maxAttempts = CDownloadThread::kMaxAttempts)
    {
        m_thread = std::make_unique<CDownloadThread>(retryPauseMs, maxAttempts);
        m_thread->Start(FALSE);
        return *m_thread;
    }

    Job MakeJob(const std::string& path, const std::wstring& savePath = L"")
    {
        Job job;
        job.strReqUrl = job.strUrl = m_server.WideUrl(path);
        job.strSavePath = savePath;
        job.nMsg = kDoneMsg;
        job.hWnd = m_sink.GetSafeHwnd();
        return job;
    }

    // A path whose downloads fail: it redirects to a port that refuses.
    void ServeFailure(const std::string& path, int delayMs = 0)
    {
        m_server.SetReply(path, {302, "", "text/html", delayMs, m_refused.Url("/gone.txt")});
    }

    bool WaitForMessages(size_t count)
    {
        return PumpUntil([&] { return m_sink.Messages().size() >= count; }, kWaitMs);
    }
    bool WaitForRequests(const std::string& path, size_t count)
    {
        return PumpUntil([&] { return m_server.CountRequests(path) >= count; }, kWaitMs);
    }
    // Pumps for a while, for what must not happen.
    void PumpFor(DWORD ms)
    {
        PumpUntil([] { return false; }, ms);
    }

    std::vector<LPARAM> MessageIds() const
    {
        std::vector<LPARAM> ids;
        for (const auto& m : m_sink.Messages()) {
            EXPECT_EQ(m.msg, kDoneMsg);
            EXPECT_EQ(m.wParam, 0u);
            ids.push_back(m.lParam);
        }
        return ids;
    }

    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        ::GetExitCodeThread(m_thread->GetThreadHandle(), &code);
        return code;
    }

    LocalHttpServer m_server;
    RefusedPort m_refused;
    MessageSink m_sink;
    std::unique_ptr<CDownloadThread> m_thread;
};

TEST_F(DownloadThreadTest, DefaultRetryIsHundredAttemptsOneSecondApart)
{
    const CDownloadThread thread;
    EXPECT_EQ(thread.GetRetryPause(), 1000u);
    EXPECT_EQ(thread.GetMaxAttempts(), 100);
    EXPECT_EQ(thread.GetState(), TS_IDLE);
}

TEST_F(DownloadThreadTest, JobsQueuedBeforeOneWakeUpAreAllDoneInOrder)
{
    m_server.SetReply("/first.xml", {200, "first"});
    m_server.SetReply("/second.xml", {200, "second"});
    CDownloadThread& thread = StartThread();
    EXPECT_EQ(thread.GetState(), TS_RUNNING);
    Job first = MakeJob("/first.xml");
    Job second = MakeJob("/second.xml");
    thread.AddJob(first);
    thread.AddJob(second);
    EXPECT_EQ(first.nId, 0);
    EXPECT_EQ(second.nId, 1);
    ::SetEvent(thread.m_hJobEvent);

    ASSERT_TRUE(WaitForMessages(2));
    EXPECT_EQ(MessageIds(), (std::vector<LPARAM>{0, 1}));
    EXPECT_EQ(m_server.Requests(), (std::vector<std::string>{"/first.xml", "/second.xml"}));
    // The worker resets the event when it finds the queue empty, and then waits.
    EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(thread.m_hJobEvent, 0) == WAIT_TIMEOUT; }, kWaitMs));
    Job result;
    thread.GetJobResult(second.nId, result);
    EXPECT_EQ(ReadFile(result.strUrl), "second");
}

TEST_F(DownloadThreadTest, CacheDownloadStoresTheCacheFileBeforeReporting)
{
    m_server.SetReply("/remote.xml", {200, "<CLIENT version=\"2\"/>"});
    CDownloadThread& thread = StartThread();
    Job job = MakeJob("/remote.xml");
    job.strExtra = L"extra";
    job.nParam = 42;
    thread.AddJob(job);
    Job atDispatch;
    m_sink.onMessage = [&](const MessageSink::Message& m) { thread.GetJobResult(static_cast<int>(m.lParam), atDispatch); };
    ::SetEvent(thread.m_hJobEvent);

    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(MessageIds(), (std::vector<LPARAM>{job.nId}));
    EXPECT_FALSE(atDispatch.strUrl.empty()) << "the result is stored before the message is posted";
    Job result;
    thread.GetJobResult(job.nId, result);
    EXPECT_EQ(result.strReqUrl, job.strReqUrl);
    EXPECT_NE(result.strUrl, job.strUrl);
    EXPECT_EQ(ReadFile(result.strUrl), "<CLIENT version=\"2\"/>");
    EXPECT_TRUE(IsCached(job.strUrl));
    EXPECT_EQ(result.strSavePath, L"");
    EXPECT_EQ(result.strExtra, L"extra");
    EXPECT_EQ(result.nFileSize, 0);
    EXPECT_EQ(result.nMsg, kDoneMsg);
    EXPECT_EQ(result.nId, job.nId);
    EXPECT_EQ(result.bRetry, FALSE);
    EXPECT_EQ(result.nParam, 42);
    EXPECT_EQ(result.hWnd, m_sink.GetSafeHwnd());
    // Reading a result leaves it in the table.
    Job again;
    thread.GetJobResult(job.nId, again);
    EXPECT_EQ(again.strUrl, result.strUrl);
}

TEST_F(DownloadThreadTest, JobQueuedWithoutTheEventIsTakenWhileTheQueueIsEmptied)
{
    m_server.SetReply("/slow.txt", {200, "slow", "text/plain", 500});
    m_server.SetReply("/late.txt", {200, "late"});
    CDownloadThread& thread = StartThread();
    Job slow = MakeJob("/slow.txt");
    thread.AddJob(slow);
    ::SetEvent(thread.m_hJobEvent);
    ASSERT_TRUE(WaitForRequests("/slow.txt", 1));
    Job late = MakeJob("/late.txt");
    thread.AddJob(late);

    ASSERT_TRUE(WaitForMessages(2));
    EXPECT_EQ(MessageIds(), (std::vector<LPARAM>{slow.nId, late.nId}));
}

// A folder of our own under the temporary folder, named through an
// environment variable that the jobs' paths use.
class DestinationFolder {
public:
    DestinationFolder()
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_path = std::wstring(temp) + L"worktest-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_path.c_str(), nullptr);
        ::SetEnvironmentVariableW(L"WORKTEST_DIR", m_path.c_str());
    }
    ~DestinationFolder()
    {
        for (const auto& file : m_files)
            ::DeleteFileW(file.c_str());
        ::RemoveDirectoryW(m_path.c_str());
        ::SetEnvironmentVariableW(L"WORKTEST_DIR", nullptr);
    }
    // The expanded path of a file in the folder.
    std::wstring File(const std::wstring& name)
    {
        m_files.push_back(m_path + L"\\" + name);
        return m_files.back();
    }

private:
    std::wstring m_path;
    std::vector<std::wstring> m_files;
};

struct DestinationCase {
    const char* name;
    const char* existing; // null: no file
    int fileSize;
    bool fetched;
};

const DestinationCase kDestinationCases[] = {
    {"file of the expected size is kept", "12345", 5, false},
    {"size 0 always fetches", "12345", 0, true},
    {"file of another size is fetched", "12345", 4, true},
    {"missing file is fetched", nullptr, 5, true},
};

std::string CasePath(size_t i)
{
    std::string path = "/dest";
    path += std::to_string(i);
    return path += ".bin";
}

std::wstring CaseFileName(size_t i) { return L"dest" + std::to_wstring(i) + L".bin"; }

TEST_F(DownloadThreadTest, DestinationDownloadsHonourTheExpectedSize)
{
    DestinationFolder folder;
    CDownloadThread& thread = StartThread();
    std::vector<Job> jobs;
    std::vector<std::wstring> files;
    for (const auto& c : kDestinationCases) {
        const size_t i = jobs.size();
        m_server.SetReply(CasePath(i), {200, "fetched", "application/octet-stream"});
        files.push_back(folder.File(CaseFileName(i)));
        if (c.existing)
            WriteFile(files.back(), c.existing);
        Job job = MakeJob(CasePath(i), L"%WORKTEST_DIR%\\" + CaseFileName(i));
        job.nFileSize = c.fileSize;
        thread.AddJob(job);
        jobs.push_back(job);
    }
    ::SetEvent(thread.m_hJobEvent);
    ASSERT_TRUE(WaitForMessages(jobs.size()));

    for (size_t i = 0; i < jobs.size(); ++i) {
        const auto& c = kDestinationCases[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(m_server.CountRequests(CasePath(i)), c.fetched ? 1u : 0u);
        Job result;
        thread.GetJobResult(jobs[i].nId, result);
        EXPECT_EQ(result.strUrl, files[i]);
        EXPECT_EQ(result.strSavePath, jobs[i].strSavePath);
        EXPECT_EQ(ReadFile(files[i]), c.fetched ? "fetched" : c.existing);
    }
}

struct FailureCase {
    const char* name;
    const char* path;
    const wchar_t* savePath;
    size_t requests;
};

const FailureCase kFailureCases[] = {
    {"cache download", "/fail.xml", L"", 1},
    {"destination download", "/fail.bin", L"%WORKTEST_DIR%\\fail.bin", 1},
    // Cut to the buffer, the path would name another file: nothing is fetched.
    {"destination path too long", "/long.bin", nullptr, 0},
};

TEST_F(DownloadThreadTest, FailureWithoutRetryIsReportedByTheMessageAlone)
{
    DestinationFolder folder;
    folder.File(L"fail.bin");
    CDownloadThread& thread = StartThread();
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L".bin";
    std::vector<Job> jobs;
    for (const auto& c : kFailureCases) {
        ServeFailure(c.path);
        Job job = MakeJob(c.path, c.savePath ? c.savePath : longPath);
        thread.AddJob(job);
        jobs.push_back(job);
    }
    ::SetEvent(thread.m_hJobEvent);
    ASSERT_TRUE(WaitForMessages(jobs.size()));

    EXPECT_EQ(MessageIds(), (std::vector<LPARAM>{0, 1, 2}));
    for (size_t i = 0; i < jobs.size(); ++i) {
        SCOPED_TRACE(kFailureCases[i].name);
        EXPECT_EQ(m_server.CountRequests(kFailureCases[i].path), kFailureCases[i].requests);
        Job result;
        result.strExtra = L"untouched";
        result.nParam = -5;
        thread.GetJobResult(jobs[i].nId, result);
        EXPECT_EQ(result.strUrl, L"");
        EXPECT_EQ(result.strExtra, L"untouched");
        EXPECT_EQ(result.nParam, -5);
    }
    Job unknown;
    unknown.strExtra = L"untouched";
    thread.GetJobResult(99, unknown);
    EXPECT_EQ(unknown.strExtra, L"untouched");
}

TEST_F(DownloadThreadTest, RetryingJobMakesTheAttemptsAPauseApartThenVanishes)
{
    constexpr DWORD kPauseMs = 150;
    ServeFailure("/retry.xml");
    m_server.SetReply("/next.xml", {200, "next"});
    CDownloadThread& thread = StartThread(kPauseMs, 3);
    Job retrying = MakeJob("/retry.xml");
    retrying.bRetry = TRUE;
    Job next = MakeJob("/next.xml");
    thread.AddJob(retrying);
    thread.AddJob(next);
    ::SetEvent(thread.m_hJobEvent);

    ASSERT_TRUE(WaitForMessages(1));
    EXPECT_EQ(MessageIds(), (std::vector<LPARAM>{next.nId}));
    const auto times = m_server.RequestTimes("/retry.xml");
    ASSERT_EQ(times.size(), 3u);
    for (size_t i = 1; i < times.size(); ++i) {
        // Timer resolution may end a wait a little early.
        EXPECT_GE(times[i] - times[i - 1], std::chrono::milliseconds(kPauseMs - 20)) << "gap " << i;
    }
    Job result;
    thread.GetJobResult(retrying.nId, result);
    EXPECT_EQ(result.strUrl, L"");
    EXPECT_EQ(thread.GetState(), TS_RUNNING);
}

TEST_F(DownloadThreadTest, StopDuringTheRetryPauseAbortsAtOnce)
{
    ServeFailure("/retry.xml");
    m_server.SetReply("/queued.xml", {200, "queued"});
    // A pause far longer than the wait below: only Stop can end it in time.
    CDownloadThread& thread = StartThread(60000, 100);
    Job retrying = MakeJob("/retry.xml");
    retrying.bRetry = TRUE;
    Job queued = MakeJob("/queued.xml");
    thread.AddJob(retrying);
    thread.AddJob(queued);
    ::SetEvent(thread.m_hJobEvent);
    ASSERT_TRUE(WaitForRequests("/retry.xml", 1));

    thread.Stop();
    ASSERT_EQ(::WaitForSingleObject(thread.GetThreadHandle(), kWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_EQ(thread.GetState(), TS_STOPPED);
    // The pause was cut short: no second attempt, and the queued job stays.
    EXPECT_EQ(m_server.CountRequests("/retry.xml"), 1u);
    EXPECT_EQ(m_server.CountRequests("/queued.xml"), 0u);
    PumpPending();
    EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(DownloadThreadTest, PauseHoldsARetryingJobUntilResumeOrStop)
{
    // The slow answer lets Pause land while the first attempt is under way.
    ServeFailure("/held.xml", 300);
    CDownloadThread& thread = StartThread(200, 100);
    Job retrying = MakeJob("/held.xml");
    retrying.bRetry = TRUE;
    thread.AddJob(retrying);
    ::SetEvent(thread.m_hJobEvent);
    ASSERT_TRUE(WaitForRequests("/held.xml", 1));

    thread.Pause();
    EXPECT_EQ(thread.GetState(), TS_PAUSED);
    PumpFor(1000); // an attempt already under way may still end
    const size_t held = m_server.CountRequests("/held.xml");
    EXPECT_LE(held, 2u);
    PumpFor(1000); // a free worker would make about two attempts in this time
    EXPECT_EQ(m_server.CountRequests("/held.xml"), held);

    thread.Resume();
    EXPECT_EQ(thread.GetState(), TS_RUNNING);
    ASSERT_TRUE(WaitForRequests("/held.xml", held + 1));

    thread.Pause();
    PumpFor(1000);
    const size_t heldAgain = m_server.CountRequests("/held.xml");
    thread.Stop();
    ASSERT_EQ(::WaitForSingleObject(thread.GetThreadHandle(), kWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_EQ(thread.GetState(), TS_STOPPED);
    EXPECT_EQ(m_server.CountRequests("/held.xml"), heldAgain);
    PumpPending();
    EXPECT_TRUE(m_sink.Messages().empty());
}

TEST_F(DownloadThreadTest, StopWhileWaitingForJobsEndsWithOne)
{
    CDownloadThread& thread = StartThread();
    thread.Stop();
    ASSERT_EQ(::WaitForSingleObject(thread.GetThreadHandle(), kWaitMs), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 1u);
    EXPECT_EQ(thread.GetState(), TS_RUNNING);
}

TEST_F(DownloadThreadTest, WorkerOutlivingItsOwnerFinishesQuietly)
{
    m_server.SetReply("/busy.xml", {200, "busy", "text/xml", 1500});
    m_server.SetReply("/after.xml", {200, "after"});
    CDownloadThread& thread = StartThread();
    Job busy = MakeJob("/busy.xml");
    Job after = MakeJob("/after.xml");
    thread.AddJob(busy);
    thread.AddJob(after);
    ::SetEvent(thread.m_hJobEvent);
    ASSERT_TRUE(WaitForRequests("/busy.xml", 1));

    HANDLE own = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), thread.GetThreadHandle(), ::GetCurrentProcess(), &own, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    const ScopedHandle worker(own);
    // The owner gives up waiting and deletes the object mid-download.
    thread.Stop();
    EXPECT_EQ(::WaitForSingleObject(thread.GetThreadHandle(), 100), static_cast<DWORD>(WAIT_TIMEOUT));
    m_thread.reset();

    ASSERT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(worker.get(), 0) == WAIT_OBJECT_0; }, kWaitMs));
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeThread(worker.get(), &code);
    EXPECT_EQ(code, 1u);
    PumpPending();
    EXPECT_TRUE(m_sink.Messages().empty()) << "nothing is posted once the owner is gone";
    EXPECT_EQ(m_server.CountRequests("/after.xml"), 0u);
}

} // namespace
