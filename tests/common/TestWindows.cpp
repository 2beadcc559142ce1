#include "common/TestWindows.h"

RecordingWindow::RecordingWindow(DWORD style, HWND parent)
{
    static const wchar_t* className = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &RecordingWindow::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TestRecordingWindow";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        ::RegisterClassW(&wc);
        return L"TestRecordingWindow";
    }();
    m_hwnd = ::CreateWindowExW(0, className, L"test", style, 0, 0, 400, 300, parent, nullptr,
                               ::GetModuleHandleW(nullptr), this);
}

RecordingWindow::~RecordingWindow()
{
    if (m_hwnd)
        ::DestroyWindow(m_hwnd);
}

size_t RecordingWindow::Count(UINT msg) const
{
    size_t n = 0;
    for (const auto& m : m_received)
        n += m.msg == msg;
    return n;
}

LRESULT CALLBACK RecordingWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && (msg >= WM_USER || msg == WM_COMMAND)) {
        self->m_received.push_back({msg, wParam, lParam});
        if (self->onMessage)
            self->onMessage(self->m_received.back());
        return 0;
    }
    if (msg == WM_NCDESTROY && self)
        self->m_hwnd = nullptr;
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount() - start < milliseconds);
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        PumpMessages(10);
    }
    return true;
}
