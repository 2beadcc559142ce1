#include "work/MessageSink.h"

#include <algorithm>

MessageSink::MessageSink()
{
    CreateEx(0, RegisterWndClass(0, nullptr, nullptr, nullptr).c_str(), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
             nullptr);
}

LRESULT MessageSink::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg >= WM_USER) {
        m_messages.push_back({msg, wParam, lParam});
        if (onMessage)
            onMessage(m_messages.back());
        return 0;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        PumpPending();
        if (done())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end)
            return false;
        // Short slices: some conditions are changed by other threads, not by messages.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(end - now, 10)),
                                    QS_ALLINPUT);
    }
}
