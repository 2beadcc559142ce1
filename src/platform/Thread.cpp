#include "platform/Thread.h"

#include <process.h>

namespace {
ThreadStartHook& Hook()
{
    static ThreadStartHook hook;
    return hook;
}
} // namespace

void SetThreadStartHook(ThreadStartHook hook) { Hook() = std::move(hook); }

ScopedHandle BeginThread(ThreadProc proc, void* param)
{
    if (const auto& hook = Hook())
        return hook(proc, param);
    // The C runtime's starter, so that the runtime's per-thread data is set
    // up and freed with the thread.
    const uintptr_t thread = ::_beginthreadex(nullptr, 0, proc, param, 0, nullptr);
    return ScopedHandle(reinterpret_cast<HANDLE>(thread));
}
