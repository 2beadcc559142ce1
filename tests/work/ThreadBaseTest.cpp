#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "platform/Thread.h"
#include "work/ThreadBase.h"

namespace {

constexpr UINT kExitCode = 7;

// A body that waits for the stop event and counts how often it started.
class WaitingThread : public CThreadBase {
public:
    const Control& Events() const { return *m_control; }
    int Runs() const { return *m_runs; }

protected:
    UINT Run() override
    {
        const auto runs = m_runs;
        ++*runs;
        const auto control = AttachWorker();
        ::WaitForSingleObject(control->StopEvent(), INFINITE);
        return kExitCode;
    }

private:
    const std::shared_ptr<std::atomic<int>> m_runs = std::make_shared<std::atomic<int>>(0);
};

bool IsSet(HANDLE event) { return ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

enum class Op { Start, StartDeferred, Pause, Resume, Stop, FailStarts, AwaitWorkerEnd };
enum class Worker { None, Running, Any };

struct Case {
    const char* name;
    std::vector<Op> ops;
    int state;
    Worker worker;
    bool stop, pause, resume;
    int runs;
};

const Case kCases[] = {
    {"constructed", {}, TS_IDLE, Worker::None, false, false, false, 0},
    {"pause in idle", {Op::Pause}, TS_IDLE, Worker::None, false, false, false, 0},
    {"resume in idle", {Op::Resume}, TS_IDLE, Worker::None, false, false, false, 0},
    {"stop in idle", {Op::Stop}, TS_IDLE, Worker::None, true, false, false, 0},
    {"deferred start", {Op::StartDeferred}, TS_PAUSED, Worker::None, false, false, false, 0},
    {"pause after deferred start", {Op::StartDeferred, Op::Pause}, TS_PAUSED, Worker::None, false, false, false, 0},
    {"resume after deferred start", {Op::StartDeferred, Op::Resume}, TS_RUNNING, Worker::Running, false, false, false, 1},
    {"start", {Op::Start}, TS_RUNNING, Worker::Running, false, false, false, 1},
    {"resume in running", {Op::Start, Op::Resume}, TS_RUNNING, Worker::Running, false, false, false, 1},
    {"pause in running", {Op::Start, Op::Pause}, TS_PAUSED, Worker::Running, false, true, false, 1},
    {"resume after pause", {Op::Start, Op::Pause, Op::Resume}, TS_RUNNING, Worker::Running, false, false, true, 1},
    {"pause twice", {Op::Start, Op::Pause, Op::Pause}, TS_PAUSED, Worker::Running, false, true, false, 1},
    {"stop while paused", {Op::Start, Op::Pause, Op::Stop}, TS_PAUSED, Worker::Any, true, true, false, 1},
    {"failed start", {Op::FailStarts, Op::Start}, TS_STOPPED, Worker::None, false, false, false, 0},
    {"stop after failed start", {Op::FailStarts, Op::Start, Op::Stop}, TS_STOPPED, Worker::None, false, false, false, 0},
    {"pause and resume after failed start", {Op::FailStarts, Op::Start, Op::Pause, Op::Resume}, TS_STOPPED,
     Worker::None, false, false, false, 0},
    {"start resets a left stop event", {Op::Stop, Op::Start}, TS_RUNNING, Worker::Running, false, false, false, 1},
    {"deferred start resets a left stop event", {Op::Stop, Op::StartDeferred}, TS_PAUSED, Worker::None, false,
     false, false, 0},
    {"start after the worker ended", {Op::Start, Op::Stop, Op::AwaitWorkerEnd, Op::Start}, TS_RUNNING,
     Worker::Running, false, false, false, 2},
    {"deferred start resets pause and resume", {Op::Start, Op::Pause, Op::Resume, Op::StartDeferred}, TS_PAUSED,
     Worker::Running, false, false, false, 1},
};

void Apply(WaitingThread& thread, Op op)
{
    switch (op) {
    case Op::Start: thread.Start(FALSE); break;
    case Op::StartDeferred: thread.Start(TRUE); break;
    case Op::Pause: thread.Pause(); break;
    case Op::Resume: thread.Resume(); break;
    case Op::Stop: thread.Stop(); break;
    case Op::FailStarts: SetThreadStartHook([](ThreadProc, void*) { return ScopedHandle(); }); break;
    case Op::AwaitWorkerEnd: ASSERT_EQ(::WaitForSingleObject(thread.GetThreadHandle(), 5000), WAIT_OBJECT_0); break;
    }
}

TEST(ThreadBase, StateTable)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        WaitingThread thread;
        for (Op op : c.ops)
            Apply(thread, op);
        SetThreadStartHook(nullptr);

        EXPECT_EQ(thread.GetState(), c.state);
        const HANDLE worker = thread.GetThreadHandle();
        EXPECT_EQ(worker != nullptr, c.worker != Worker::None);
        if (worker && c.worker == Worker::Running) {
            EXPECT_EQ(::WaitForSingleObject(worker, 0), static_cast<DWORD>(WAIT_TIMEOUT));
        }
        EXPECT_EQ(IsSet(thread.Events().StopEvent()), c.stop);
        EXPECT_EQ(IsSet(thread.Events().PauseEvent()), c.pause);
        EXPECT_EQ(IsSet(thread.Events().ResumeEvent()), c.resume);
        EXPECT_EQ(thread.Runs(), c.runs);

        thread.Stop();
        if (worker) {
            EXPECT_EQ(::WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
        }
    }
}

TEST(ThreadBase, ExitCodeIsTheBodysResult)
{
    WaitingThread thread;
    thread.Start(FALSE);
    thread.Stop();
    const HANDLE worker = thread.GetThreadHandle();
    ASSERT_EQ(::WaitForSingleObject(worker, 5000), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(::GetExitCodeThread(worker, &code));
    EXPECT_EQ(code, kExitCode);
    // The handle stays usable after the worker ended, until the object goes.
    EXPECT_EQ(::WaitForSingleObject(thread.GetThreadHandle(), 0), WAIT_OBJECT_0);
}

TEST(ThreadBase, DeletingTheObjectEndsAnIdleWorker)
{
    auto thread = std::make_unique<WaitingThread>();
    thread->Start(FALSE);
    HANDLE own = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), thread->GetThreadHandle(), ::GetCurrentProcess(), &own, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    const ScopedHandle worker(own);
    thread.reset();
    EXPECT_EQ(::WaitForSingleObject(worker.get(), 5000), WAIT_OBJECT_0);
}

} // namespace
