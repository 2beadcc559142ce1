// The client's private window messages.
#pragma once

#include <windows.h>

constexpr UINT WM_TRAY_NOTIFY = WM_USER + 100;       // shell -> frame: tray icon mouse action
constexpr UINT WM_CONFIG_DOWNLOADED = WM_USER + 102; // worker -> frame: version record fetched, lParam job id
constexpr UINT WM_UPDATE_DOWNLOADED = WM_USER + 104; // worker -> frame: new client fetched, lParam job id
constexpr UINT WM_VIEW_TITLE = WM_USER + 105;        // view -> parent: lParam new title (during the call)
constexpr UINT WM_GET_GS_NAME = WM_USER + 106;       // view -> game window: lParam text (during the call)
constexpr UINT WM_GET_NEW_MSG = WM_USER + 107;       // view -> game window
constexpr UINT WM_GAME_CLOSED = WM_USER + 108;       // game view -> frame, posted: the closed window may go
