#include <gtest/gtest.h>

#include "browser/NavigationRules.h"

namespace {

using A = NavigationAction;

NavigationContext Launcher(const wchar_t* gameCheck, const wchar_t* loginCheck = L"")
{
    NavigationContext c;
    c.topLevel = true;
    c.haveLauncher = true;
    c.haveFrame = true;
    c.inGameWindow = false;
    c.gameCheck = gameCheck;
    c.loginCheck = loginCheck;
    return c;
}

struct Case {
    const char* what;
    const wchar_t* url;
    NavigationContext context;
    A action;
    bool cancel;
    const wchar_t* gameUrl;
};

NavigationContext With(NavigationContext c, void (*change)(NavigationContext&))
{
    change(c);
    return c;
}

TEST(NavigationRules, DecisionTable)
{
    const wchar_t* game = L"portal/index.php?do=entergame";
    const Case cases[] = {
        {"plain page", L"http://h/portal/index.php", Launcher(game), A::None, false, L""},
        {"minimize", L"app://minimize|", Launcher(game), A::HideLauncher, true, L""},
        {"minimize in capitals mid-url", L"http://h/x?APP://Minimize|y", Launcher(game), A::HideLauncher, true, L""},
        {"minimize without launcher goes on", L"app://minimize|", With(Launcher(game), [](NavigationContext& c) {
             c.haveLauncher = false;
         }),
         A::None, false, L""},
        {"exit", L"app://exitgame|", Launcher(game), A::ConfirmQuit, true, L""},
        {"minimize tested before exit", L"app://exitgame|app://minimize|", Launcher(game), A::HideLauncher, true,
         L""},
        {"entry address opens the game", L"http://h/portal/index.php?do=entergame&sid=1", Launcher(game),
         A::OpenGame, true, L"http://h/portal/index.php?do=entergame&sid=1"},
        {"entry address in capitals still matches", L"HTTP://H/PORTAL/INDEX.PHP?DO=ENTERGAME", Launcher(game),
         A::OpenGame, true, L"HTTP://H/PORTAL/INDEX.PHP?DO=ENTERGAME"},
        {"gameCheck with capitals never matches", L"http://h/portal/index.php?do=entergame",
         Launcher(L"portal/index.php?do=EnterGame"), A::None, false, L""},
        {"loadgame keeps the address after the first bar",
         L"app://loadgame|http://G/Play?x=1|y&portal/index.php?do=entergame", Launcher(game), A::OpenGame, true,
         L"http://G/Play?x=1|y&portal/index.php?do=entergame"},
        {"loadgame without a bar hands over the whole link", L"app://loadgame/portal/index.php?do=entergame",
         Launcher(game), A::OpenGame, true, L"app://loadgame/portal/index.php?do=entergame"},
        {"loadgame without the entry address goes on", L"app://loadgame|http://g/play", Launcher(game), A::None,
         false, L""},
        {"empty gameCheck matches everything", L"http://anything/", Launcher(L""), A::OpenGame, true,
         L"http://anything/"},
        {"game window's own view is not intercepted", L"http://h/portal/index.php?do=entergame",
         With(Launcher(game), [](NavigationContext& c) { c.inGameWindow = true; }), A::None, false, L""},
        {"no main frame, no game", L"http://h/portal/index.php?do=entergame",
         With(Launcher(game), [](NavigationContext& c) { c.haveFrame = false; }), A::None, false, L""},
        {"frames are not examined", L"app://exitgame|",
         With(Launcher(game), [](NavigationContext& c) { c.topLevel = false; }), A::None, false, L""},
        {"login page shows the choice", L"http://h/login.php", Launcher(game, L"login.php"), A::ShowChoose, false,
         L""},
        {"login at position 0 does not count", L"login.php?x", Launcher(game, L"login.php"), A::None, false, L""},
        {"empty loginCheck never matches", L"http://h/login.php", Launcher(game, L""), A::None, false, L""},
        {"game match wins over login", L"http://h/login.php?portal/index.php?do=entergame",
         Launcher(game, L"login.php"), A::OpenGame, true, L"http://h/login.php?portal/index.php?do=entergame"},
        {"game match inside the game window stops the login test",
         L"http://h/login.php?portal/index.php?do=entergame",
         With(Launcher(game, L"login.php"), [](NavigationContext& c) { c.inGameWindow = true; }), A::None, false,
         L""},
    };
    for (const auto& c : cases) {
        const NavigationDecision d = DecideNavigation(c.url, c.context);
        EXPECT_EQ(d.action, c.action) << c.what;
        EXPECT_EQ(d.cancel, c.cancel) << c.what;
        EXPECT_EQ(d.gameUrl, c.gameUrl) << c.what;
    }
}

TEST(NavigationRules, NewWindowsOnlyInterceptTheGameEntry)
{
    const auto context = Launcher(L"do=entergame");
    auto d = DecideNewWindow(L"http://h/?DO=ENTERGAME", context);
    EXPECT_EQ(d.action, A::OpenGame);
    EXPECT_TRUE(d.cancel);
    EXPECT_EQ(d.gameUrl, L"http://h/?DO=ENTERGAME");
    d = DecideNewWindow(L"app://minimize|", context);
    EXPECT_EQ(d.action, A::None);
    EXPECT_FALSE(d.cancel);
    auto inGame = context;
    inGame.inGameWindow = true;
    EXPECT_EQ(DecideNewWindow(L"http://h/?do=entergame", inGame).action, A::None);
}

} // namespace
