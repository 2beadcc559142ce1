// Message boxes go through one replaceable call, so that tests can answer
// modal questions instead of blocking on them.
#pragma once

#include <windows.h>
#include <functional>

using MessageBoxHook = std::function<int(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags)>;

// An empty hook restores the system message box.
void SetMessageBoxHook(MessageBoxHook hook);
int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT flags);
