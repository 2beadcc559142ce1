// What a browser view does with a navigation: the client's command links
// ("app://minimize|", "app://exitgame|", "app://loadgame|<address>") and
// the configured address patterns that mark the game entry and the login.
#pragma once

#include <string>

struct NavigationContext {
    bool topLevel = true;       // the browser itself, not a frame inside the page
    bool haveLauncher = false;  // the launcher window exists
    bool haveFrame = false;     // the main frame exists
    bool inGameWindow = false;  // the view is the game window's
    std::wstring gameCheck;     // configured, matched as written
    std::wstring loginCheck;
};

enum class NavigationAction { None, HideLauncher, ConfirmQuit, OpenGame, ShowChoose };

struct NavigationDecision {
    NavigationAction action = NavigationAction::None;
    bool cancel = false;
    std::wstring gameUrl; // for OpenGame
};

NavigationDecision DecideNavigation(const std::wstring& url, const NavigationContext& context);
// New windows: only the game entry is intercepted.
NavigationDecision DecideNewWindow(const std::wstring& url, const NavigationContext& context);
