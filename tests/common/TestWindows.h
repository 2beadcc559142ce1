// Windows and message pumping for tests that need real windows.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// A top-level window of a class of its own that records what it receives.
class RecordingWindow {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit RecordingWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    // Messages at or above WM_USER, and WM_COMMAND, in arrival order.
    const std::vector<Message>& Received() const { return m_received; }
    size_t Count(UINT msg) const;
    // Runs during a received message, e.g. to read a pointer argument.
    std::function<void(const Message&)> onMessage;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
    std::vector<Message> m_received;
};

// Dispatches the thread's pending messages for about this long.
void PumpMessages(DWORD milliseconds = 50);
// Pumps until the condition holds or the time is up; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
