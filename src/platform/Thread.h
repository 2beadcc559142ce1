// Starting worker threads. The caller owns the returned handle, so it can
// wait on it for as long as it keeps it, whether or not the thread has ended.
#pragma once

#include <windows.h>
#include <functional>

#include "platform/ScopedWin.h"

using ThreadProc = UINT(WINAPI*)(void* param);

// Starts proc(param) at once with normal priority, the default stack size
// and default security; an empty holder when the thread cannot be created.
ScopedHandle BeginThread(ThreadProc proc, void* param);

// Tests replace the starter to see how callers cope with a thread that
// cannot be created; an empty hook restores the real one.
using ThreadStartHook = std::function<ScopedHandle(ThreadProc proc, void* param)>;
void SetThreadStartHook(ThreadStartHook hook);
