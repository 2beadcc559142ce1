// A hidden message-only window that records the private messages posted to
// it, and a message pump with a time-out for the test thread.
#pragma once

#include <windows.h>
#include <functional>
#include <vector>

#include "platform/Wnd.h"

class MessageSink : public CWnd {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };

    MessageSink();

    // Called as each recorded message is dispatched.
    std::function<void(const Message&)> onMessage;

    const std::vector<Message>& Messages() const { return m_messages; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<Message> m_messages;
};

// Dispatches this thread's messages until done() holds or the time is up;
// returns done() at the end.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// Dispatches what is queued for this thread now.
void PumpPending();
