#include "browser/NavigationRules.h"

#include "platform/TextUtil.h"

namespace {

bool Contains(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

// An empty gameCheck is found at position 0 of every address.
bool MatchesGame(const std::wstring& lower, const NavigationContext& context)
{
    return lower.find(context.gameCheck) != std::wstring::npos;
}

NavigationDecision OpenGameUnlessInGameWindow(const std::wstring& url, const NavigationContext& context)
{
    NavigationDecision decision;
    if (context.haveFrame && !context.inGameWindow) {
        decision.action = NavigationAction::OpenGame;
        decision.cancel = true;
        decision.gameUrl = url;
    }
    return decision;
}

} // namespace

NavigationDecision DecideNavigation(const std::wstring& url, const NavigationContext& context)
{
    if (!context.topLevel)
        return {};
    std::wstring game = url;
    const std::wstring lower = AsciiLower(url);
    if (Contains(lower, L"app://minimize|") && context.haveLauncher)
        return {NavigationAction::HideLauncher, true, {}};
    if (Contains(lower, L"app://exitgame|") && context.haveLauncher)
        return {NavigationAction::ConfirmQuit, true, {}};
    if (Contains(lower, L"app://loadgame")) {
        const size_t bar = game.find(L'|');
        if (bar != std::wstring::npos)
            game = game.substr(bar + 1);
    }
    if (MatchesGame(lower, context))
        return OpenGameUnlessInGameWindow(game, context);
    // A match at the very start does not count, so an empty pattern never does.
    const size_t login = lower.find(context.loginCheck);
    if (login != std::wstring::npos && login > 0 && context.haveLauncher)
        return {NavigationAction::ShowChoose, false, {}};
    return {};
}

NavigationDecision DecideNewWindow(const std::wstring& url, const NavigationContext& context)
{
    if (MatchesGame(AsciiLower(url), context))
        return OpenGameUnlessInGameWindow(url, context);
    return {};
}
