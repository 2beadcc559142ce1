#include "platform/MessageBox.h"

namespace {
MessageBoxHook& Hook()
{
    static MessageBoxHook hook;
    return hook;
}
} // namespace

void SetMessageBoxHook(MessageBoxHook hook) { Hook() = std::move(hook); }

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)
{
    if (const auto& hook = Hook())
        return hook(owner, text, caption, flags);
    return ::MessageBoxW(owner, text, caption, flags);
}
