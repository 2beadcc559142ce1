#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <regex>

#include "app/ClientMessages.h"
#include "app/MainFrame.h"
#include "app/Md5.h"
#include "browser/ShellLinks.h"
#include "common/LocalHttpServer.h"
#include "common/ProgramUnderTest.h"
#include "common/TestFiles.h"
#include "common/TestWindows.h"
#include "config/ClientConfig.h"
#include "platform/Process.h"
#include "platform/Resource.h"
#include "resource.h"
#include "skin/SkinManager.h"
#include "windows/GameWnd.h"
#include "windows/HtmlWnd.h"

namespace {

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;


class MainFrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_server.SetReply("/portal", {200, "<html>portal</html>"});
        m_server.SetReply("/play", {200, "<html>game</html>"});
    }
    void TearDown() override
    {
        if (m_frame && ::IsWindow(m_frameWnd))
            ::DestroyWindow(m_frameWnd);
        PumpMessages(20);
        g_pConfig = nullptr;
    }
    // A configuration of the built-in keys with these overrides.
    void Configure(const std::string& extra)
    {
        const std::string doc = "<R><CONFIG userClientAbout=\"Test\" imClass=\"ZEP_CLASS\" homeUrl=\"" +
                                m_server.Url("/portal") + "\" gameCheck=\"do=entergame\" " + extra + "/></R>";
        ASSERT_TRUE(m_config.LoadDocument(doc));
        g_pConfig = &m_config;
    }
    void CreateFrame(const std::wstring& serverId = L"", const std::wstring& startUrl = L"")
    {
        m_frame = new CMainFrame;
        m_frame->m_strServerId = serverId;
        m_frame->m_strStartUrl = startUrl;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, kFrameStyle));
        m_frameWnd = m_frame->GetSafeHwnd();
    }
    bool FrameGone() const { return !::IsWindow(m_frameWnd); }
    static bool Visible(CWnd* wnd) { return wnd && ::IsWindowVisible(wnd->GetSafeHwnd()); }
    static bool TrayIconExists(HWND frame)
    {
        NOTIFYICONDATAW nid{};
        nid.cbSize = sizeof(nid);
        nid.hWnd = frame;
        nid.uID = CMainFrame::kTrayIconId;
        nid.uFlags = NIF_TIP;
        wcscpy(nid.szTip, L"probe");
        return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
    }

    LocalHttpServer m_server;
    CClientConfig m_config;
    CMainFrame* m_frame = nullptr; // deletes itself with its window
    HWND m_frameWnd = nullptr;
};

TEST_F(MainFrameTest, PlainStartShowsTheLauncherAndKeepsTheGameWindowHidden)
{
    Configure("");
    CreateFrame();
    EXPECT_EQ(g_pMainFrame, static_cast<IShellFrame*>(m_frame));
    EXPECT_EQ(g_pHtmlWnd, static_cast<ILauncherWindow*>(m_frame->m_pHtmlWnd.get()));
    EXPECT_EQ(g_pSkin, m_frame->m_pSkin);
    EXPECT_FALSE(::IsWindowVisible(m_frameWnd));
    EXPECT_EQ(ClassNameOf(m_frameWnd), L"ZEP_CLASS");
    EXPECT_EQ(m_config.m_strWindowClass, L"ZEP_CLASS");

    ASSERT_TRUE(m_frame->m_pHtmlWnd);
    HWND launcher = m_frame->m_pHtmlWnd->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(launcher));
    EXPECT_TRUE(::GetWindowLongW(launcher, GWL_EXSTYLE) & WS_EX_LAYERED);
    const DWORD style = static_cast<DWORD>(::GetWindowLongW(launcher, GWL_STYLE));
    EXPECT_EQ(style & 0x800A0000u, 0x800A0000u);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_CHILD), 0u);
    EXPECT_EQ(::GetParent(launcher), nullptr);
    ASSERT_TRUE(m_frame->m_pGameWnd);
    EXPECT_FALSE(Visible(m_frame->m_pGameWnd.get()));
    EXPECT_FALSE(::GetWindowLongW(m_frame->m_pGameWnd->GetSafeHwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(m_frame->m_bGameActive);
    EXPECT_EQ(m_frame->m_nid.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(std::wstring(m_frame->m_nid.szTip), L"Test Ver 1.0.0.1");
    EXPECT_TRUE(TrayIconExists(m_frameWnd));
    // The launcher's page was asked for the home page.
    EXPECT_TRUE(PumpUntil([&] { return m_server.CountRequests("/portal") > 0; }, 10000));

    m_frame->PostMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_TRUE(PumpUntil([&] { return FrameGone(); }));
    EXPECT_EQ(g_pMainFrame, nullptr);
    EXPECT_EQ(g_pHtmlWnd, nullptr);
    EXPECT_EQ(g_pSkin, nullptr);
    EXPECT_FALSE(TrayIconExists(m_frameWnd));
}

TEST_F(MainFrameTest, StartAddressOpensTheGameMaximisedAndClosingQuits)
{
    Configure("");
    CreateFrame(L"", m_server.WideUrl("/play?do=x"));
    ASSERT_TRUE(m_frame->m_pGameWnd);
    HWND game = m_frame->m_pGameWnd->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(game));
    EXPECT_TRUE(::IsZoomed(game));
    RECT work{}, r{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetWindowRect(game, &r);
    EXPECT_EQ(r.right - r.left, work.right - work.left);
    EXPECT_EQ(r.bottom - r.top, work.bottom - work.top);
    EXPECT_FALSE(Visible(m_frame->m_pHtmlWnd.get()));
    EXPECT_TRUE(m_frame->m_bGameActive);
    EXPECT_TRUE(PumpUntil([&] { return m_server.CountRequests("/play") > 0; }, 10000));

    m_frame->CloseGame();
    EXPECT_TRUE(PumpUntil([&] { return FrameGone(); }));
}

TEST_F(MainFrameTest, OpenCloseAndGameClosedStates)
{
    Configure("");
    CreateFrame();
    CHtmlWnd* launcher = m_frame->m_pHtmlWnd.get();

    m_frame->CloseGame(); // no game: nothing
    EXPECT_FALSE(m_frame->m_pRetiredGameWnd);
    EXPECT_TRUE(Visible(launcher));

    m_frame->OpenGame(L"");
    EXPECT_TRUE(m_frame->m_bGameActive);
    EXPECT_FALSE(Visible(launcher));
    ASSERT_TRUE(m_frame->m_pGameWnd);
    EXPECT_TRUE(Visible(m_frame->m_pGameWnd.get()));
    EXPECT_FALSE(::IsZoomed(m_frame->m_pGameWnd->GetSafeHwnd())); // no address: not maximised
    HWND first = m_frame->m_pGameWnd->GetSafeHwnd();

    m_frame->CloseGame();
    EXPECT_FALSE(m_frame->m_pGameWnd);
    ASSERT_TRUE(m_frame->m_pRetiredGameWnd);
    EXPECT_EQ(m_frame->GameWindow(), first);
    EXPECT_FALSE(m_frame->m_bGameActive);
    EXPECT_TRUE(Visible(launcher));
    EXPECT_FALSE(FrameGone());

    m_frame->PostMessage(WM_GAME_CLOSED);
    PumpMessages();
    EXPECT_FALSE(m_frame->m_pRetiredGameWnd);
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(m_frame->GameWindow(), nullptr);
    m_frame->PostMessage(WM_GAME_CLOSED); // a second one does nothing
    PumpMessages();
    EXPECT_FALSE(FrameGone());

    m_frame->OpenGame(m_server.WideUrl("/play?again"));
    ASSERT_TRUE(m_frame->m_pGameWnd);
    HWND second = m_frame->m_pGameWnd->GetSafeHwnd();
    EXPECT_TRUE(::IsWindowVisible(second));
    EXPECT_TRUE(::IsZoomed(second));
    EXPECT_TRUE(::GetWindowLongW(second, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(MainFrameTest, TrayBringsBackTheActiveWindowAndItsMenuQuits)
{
    Configure("");
    CreateFrame();
    CHtmlWnd* launcher = m_frame->m_pHtmlWnd.get();
    launcher->ShowWnd(FALSE);
    m_frame->SendMessage(WM_TRAY_NOTIFY, CMainFrame::kTrayIconId, WM_LBUTTONDOWN);
    EXPECT_TRUE(Visible(launcher));

    m_frame->OpenGame(L"");
    m_frame->m_pGameWnd->ShowWnd(FALSE);
    m_frame->SendMessage(WM_TRAY_NOTIFY, CMainFrame::kTrayIconId, WM_MOUSEMOVE); // ignored
    EXPECT_FALSE(Visible(m_frame->m_pGameWnd.get()));
    m_frame->OnTrayCommand(CMainFrame::kTrayShowCommand);
    EXPECT_TRUE(Visible(m_frame->m_pGameWnd.get()));
    EXPECT_FALSE(Visible(launcher));

    m_frame->OnTrayCommand(0); // a dismissed menu
    PumpMessages();
    EXPECT_FALSE(FrameGone());
    m_frame->OnTrayCommand(ID_APP_EXIT);
    EXPECT_TRUE(PumpUntil([&] { return FrameGone(); }));
}

TEST_F(MainFrameTest, ServerPartAsksTheLoginServiceWithASignedRequest)
{
    m_server.SetReply("/login", {200, m_server.Url("/play?from=login")});
    Configure("userInfoUrl=\"" + m_server.Url("/login") + "?sid=%s+re=%d+t=%d+sign=%s+x=1\" pwKey=\"k3y\"");
    CreateFrame(L"s12", L"http://ignored/when-a-server-part-is-there");
    const auto requests = m_server.Requests();
    std::smatch match;
    std::string login;
    for (const auto& r : requests) {
        if (r.rfind("/login", 0) == 0)
            login = r;
    }
    const std::regex pattern(R"(/login\?sid=s12&re=0&t=(-?\d+)&sign=([0-9a-f]{32})&x=1)");
    ASSERT_TRUE(std::regex_match(login, match, pattern)) << login;
    const std::string signedText = "s12" + match[1].str() + "k3y";
    const std::wstring expected = Md5Hex(signedText.data(), signedText.size());
    const std::string sign = match[2].str();
    EXPECT_EQ(std::wstring(sign.begin(), sign.end()), expected);

    ASSERT_TRUE(m_frame->m_pGameWnd);
    EXPECT_TRUE(Visible(m_frame->m_pGameWnd.get()));
    EXPECT_TRUE(PumpUntil([&] { return m_server.CountRequests("/play") > 0; }, 10000));
    EXPECT_EQ(m_server.Requests().back().rfind("/play?from=login", 0), 0u);

    // The game window's reload asks twice, with mode 1.
    EXPECT_EQ(m_frame->BuildGameUrl(1), m_server.WideUrl("/play?from=login"));
    EXPECT_NE(m_server.Requests().back().find("&re=1&"), std::string::npos);
}

TEST_F(MainFrameTest, LoginAnswersDecideBetweenGameAndLauncher)
{
    // A 404 page's text is taken as the game address.
    Configure("userInfoUrl=\"" + m_server.Url("/nowhere") + "?sid=%s\"");
    CreateFrame(L"s12");
    EXPECT_TRUE(m_frame->m_bGameActive);
    EXPECT_TRUE(Visible(m_frame->m_pGameWnd.get()));
    ::DestroyWindow(m_frameWnd);
    PumpMessages(20);

    // Not plain http: no address, the launcher shows.
    std::string https = m_server.Url("/login");
    https.replace(0, 4, "https");
    Configure("userInfoUrl=\"" + https + "?sid=%s\"");
    CreateFrame(L"s12");
    EXPECT_FALSE(m_frame->m_bGameActive);
    EXPECT_TRUE(Visible(m_frame->m_pHtmlWnd.get()));
    EXPECT_FALSE(Visible(m_frame->m_pGameWnd.get()));
    EXPECT_EQ(m_server.CountRequests("/login"), 0u);
}

class VersionCheckTest : public MainFrameTest {
protected:
    void SetUp() override
    {
        MainFrameTest::SetUp();
        const std::string program = ReadFileBytes(WindowsPath(UPDATE_MARKER_PROGRAM)).value_or("");
        ASSERT_FALSE(program.empty());
        m_server.SetReply("/update.exe", {200, program, "application/octet-stream"});
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        m_marker = std::wstring(temp) + L"client_update_marker.txt";
        ::DeleteFileW(m_marker.c_str());
        ::SetEnvironmentVariableW(L"CLIENT_UPDATE_MARKER", m_marker.c_str());
        m_configCopy = GetModulePath(false) + L"\\config.xml";
        ::DeleteFileW(m_configCopy.c_str());
    }
    void TearDown() override
    {
        MainFrameTest::TearDown();
        ::DeleteFileW(m_marker.c_str());
        ::DeleteFileW(m_configCopy.c_str());
    }
    void Record(const std::string& version, const std::string& root = "VERSIONS")
    {
        m_server.SetReply("/ver.xml", {200, "<?xml version=\"1.0\"?><" + root + "><CLIENT version=\"" + version +
                                                "\" url=\"" + m_server.Url("/update.exe") + "\"/></" + root + ">",
                                       "text/xml"});
    }
    bool MarkerWritten() const { return ::GetFileAttributesW(m_marker.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::wstring m_marker;
    std::wstring m_configCopy;
};

TEST_F(VersionCheckTest, NewerVersionIsDownloadedStartedAndTheClientQuits)
{
    Record("1.0.0.2");
    Configure("configParam=\"" + m_server.Url("/ver.xml") + "?a=1\"");
    CreateFrame();
    ASSERT_TRUE(PumpUntil([&] { return FrameGone(); }, 20000));
    const auto requests = m_server.Requests();
    bool sawRecord = false;
    for (const auto& r : requests)
        sawRecord |= std::regex_match(r, std::regex(R"(/ver\.xml\?a=1\?-?\d+)"));
    EXPECT_TRUE(sawRecord);
    EXPECT_EQ(m_server.CountRequests("/update.exe"), 1u);
    ASSERT_TRUE(PumpUntil([&] { return MarkerWritten(); }, 10000));
    // The update ran from the browser cache; the copy of the record is gone.
    const std::string ranFrom = ReadFileBytes(m_marker).value_or("");
    EXPECT_NE(ranFrom.find(std::string("I\0N\0e\0t\0C\0a\0c\0h\0e", 17)), std::string::npos);
    EXPECT_EQ(::GetFileAttributesW(m_configCopy.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(VersionCheckTest, SameOrOlderVersionOrMisplacedRecordChangesNothing)
{
    for (const auto& [version, root] : {std::pair<std::string, std::string>{"1.0.0.1", "VERSIONS"},
                                        {"1.0.1", "VERSIONS"}, {"2.0", "VERSIONS"}, {"1.0.0.2", "CLIENT"}}) {
        Record(version, root);
        if (root == "CLIENT") // the record itself is the root: not recognised
            m_server.SetReply("/ver.xml", {200, "<CLIENT version=\"1.0.0.2\" url=\"" + m_server.Url("/update.exe") +
                                                    "\"/>", "text/xml"});
        Configure("configParam=\"" + m_server.Url("/ver.xml") + "\"");
        const size_t before = m_server.CountRequests("/ver.xml");
        CreateFrame();
        EXPECT_TRUE(PumpUntil([&] { return m_server.CountRequests("/ver.xml") > before; }, 10000)) << version;
        PumpMessages(1500);
        EXPECT_FALSE(FrameGone()) << version << " " << root;
        EXPECT_EQ(m_server.CountRequests("/update.exe"), 0u) << version << " " << root;
        ::DestroyWindow(m_frameWnd);
        PumpMessages(20);
    }
}

TEST_F(VersionCheckTest, ConfigXmlOfSomeoneElseSurvives)
{
    {
        std::ofstream mine(std::string(m_configCopy.begin(), m_configCopy.end()), std::ios::binary);
        mine << "<mine/>";
    }
    Record("1.0.0.2");
    Configure("configParam=\"" + m_server.Url("/ver.xml") + "\"");
    CreateFrame();
    ASSERT_TRUE(PumpUntil([&] { return FrameGone(); }, 20000));
    EXPECT_EQ(ReadFileBytes(m_configCopy).value_or(""), "<mine/>");
    EXPECT_EQ(m_server.CountRequests("/update.exe"), 1u);
}

} // namespace
