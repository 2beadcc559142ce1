// The built client as a whole: its resources and its start-up and exit.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/ProgramUnderTest.h"
#include "common/TestFiles.h"
#include "config/BrowserEmulation.h"
#include "config/ClientConfig.h"
#include "platform/ComPtr.h"
#include "platform/FrameWnd.h"
#include "platform/RegKey.h"
#include "platform/Resource.h"
#include "resource.h"

namespace {

std::wstring g_program;

class ProgramResources : public testing::Test {
protected:
    void SetUp() override
    {
        m_module = ::LoadLibraryExW(g_program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override
    {
        if (m_module)
            ::FreeLibrary(m_module);
    }
    std::string Bytes(UINT id, const wchar_t* type) const
    {
        HRSRC res = ::FindResourceW(m_module, MAKEINTRESOURCEW(id), type);
        if (!res)
            return {};
        const void* data = ::LockResource(::LoadResource(m_module, res));
        return std::string(static_cast<const char*>(data), ::SizeofResource(m_module, res));
    }
    HMODULE m_module = nullptr;
};

TEST_F(ProgramResources, XmlDocuments)
{
    for (UINT id : {IDR_CONFIG_XML, IDR_SKIN_XML}) {
        const std::string text = Bytes(id, L"XML");
        ASSERT_FALSE(text.empty()) << id;
        EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"gb2312\"?>", 0), 0u) << id;
    }
    EXPECT_NE(Bytes(IDR_CONFIG_XML, L"XML").find("<CLIENTCONFIG>"), std::string::npos);
    EXPECT_NE(Bytes(IDR_SKIN_XML, L"XML").find("<CLIENTSKIN version=\"1\">"), std::string::npos);
}

struct PngSet {
    UINT first, last;
    int width, height;
};

const PngSet kPngs[] = {
    {311, 313, 48, 41}, {314, 316, 42, 35}, {318, 332, 24, 20}, {334, 345, 84, 26}, {347, 347, 1250, 32},
    {348, 348, 1288, 780}, {350, 350, 51, 16}, {351, 351, 55, 20}, {352, 352, 51, 16}, {353, 353, 79, 15},
    {354, 354, 83, 19}, {355, 355, 79, 15},
};

unsigned ReadBigEndian(const std::string& bytes, size_t at)
{
    unsigned v = 0;
    for (size_t i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<unsigned char>(bytes[at + i]);
    return v;
}

TEST_F(ProgramResources, PngSetHasTheListedIdsAndSizes)
{
    int present = 0;
    for (const auto& set : kPngs) {
        for (UINT id = set.first; id <= set.last; ++id) {
            const std::string png = Bytes(id, L"PNG");
            ASSERT_GT(png.size(), 33u) << id;
            ASSERT_EQ(png.substr(1, 3), "PNG") << id;
            EXPECT_EQ(ReadBigEndian(png, 16), static_cast<unsigned>(set.width)) << id;
            EXPECT_EQ(ReadBigEndian(png, 20), static_cast<unsigned>(set.height)) << id;
            // Colour type 6 is RGBA, 2 is RGB without alpha.
            EXPECT_EQ(static_cast<int>(png[25]), id == 347 ? 2 : 6) << id;
            ++present;
        }
    }
    EXPECT_EQ(present, 41);
    for (UINT id : {317u, 333u, 346u, 349u})
        EXPECT_EQ(::FindResourceW(m_module, MAKEINTRESOURCEW(id), L"PNG"), nullptr) << id;
}

std::wstring MenuText(HMENU menu, UINT position)
{
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, position, text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(ProgramResources, TrayMenuStringsFrameAndVersion)
{
    HMENU menu = ::LoadMenuW(m_module, MAKEINTRESOURCEW(IDR_TRAYMENU));
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(::GetMenuItemCount(menu), 1);
    EXPECT_EQ(MenuText(menu, 0), L"tray");
    HMENU popup = ::GetSubMenu(menu, 0);
    ASSERT_EQ(::GetMenuItemCount(popup), 3);
    EXPECT_EQ(::GetMenuItemID(popup, 0), 201u);
    EXPECT_EQ(MenuText(popup, 0), L"\u663e\u793a\u4e3b\u754c\u9762");
    EXPECT_EQ(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(::GetMenuItemID(popup, 2), 57665u);
    EXPECT_EQ(MenuText(popup, 2), L"\u9000\u51fa");
    ::DestroyMenu(menu);

    wchar_t text[128] = {};
    ASSERT_GT(::LoadStringW(m_module, IDS_OLE_INIT_FAILED, text, 128), 0);
    EXPECT_EQ(std::wstring(text), L"OLE \u521d\u59cb\u5316\u5931\u8d25\u3002\u8bf7\u786e\u4fdd OLE "
                                  L"\u5e93\u662f\u6b63\u786e\u7684\u7248\u672c\u3002");

    EXPECT_NE(::LoadIconW(m_module, MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);
    EXPECT_GT(::LoadStringW(m_module, IDR_MAINFRAME, text, 128), 0);
    EXPECT_NE(::FindResourceW(m_module, MAKEINTRESOURCEW(IDR_MAINFRAME), RT_MENU), nullptr);
    EXPECT_NE(::FindResourceW(m_module, MAKEINTRESOURCEW(IDD_ABOUTBOX), RT_DIALOG), nullptr);

    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(g_program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::string info(size, '\0');
    ASSERT_TRUE(::GetFileVersionInfoW(g_program.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000001u);
}

// The names the client takes from its configuration, read from the same
// built-in document under this process's code page, which the client
// shares.
struct ClientNames {
    std::wstring displayName;
    std::wstring siteLink;
};

ClientNames BuiltInNames()
{
    CClientConfig config;
    config.LoadDocument(LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
    return {config.GetUserClientAbout(), config.GetGwLink()};
}

std::wstring DesktopFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, TRUE);
    return path;
}

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool KeyExists(const std::wstring& path)
{
    CRegKey key;
    return key.Open(HKEY_CURRENT_USER, path.c_str(), KEY_READ) == ERROR_SUCCESS;
}

const wchar_t kFeatureKey[] = L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl";
const wchar_t kEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

// A run of the client leaves shortcuts on the desktop, its settings key and
// feature values behind. This removes what was not there before, and lays
// out the emulation feature key so that the client has one to write into.
class ClientTraces {
public:
    ClientTraces()
        : m_names(BuiltInNames()), m_desktop(DesktopFolder()),
          m_settingsKey(L"SOFTWARE\\Brimlok\\" + m_names.displayName)
    {
        for (const std::wstring& link : {ClientLink(), SiteLink()}) {
            if (!Exists(link))
                m_newLinks.push_back(link);
        }
        m_newSettings = !KeyExists(m_settingsKey);
        m_newFeatureKey = !KeyExists(kFeatureKey);
        m_newEmulationKey = !KeyExists(kEmulationKey);
        CRegKey key;
        key.Create(HKEY_CURRENT_USER, kEmulationKey, KEY_READ | KEY_WRITE);
        DWORD value = 0;
        m_newEmulationValue = key.QueryDWORDValue(L"Client.exe", value) != ERROR_SUCCESS;
    }
    ~ClientTraces()
    {
        for (const auto& link : m_newLinks)
            ::DeleteFileW(link.c_str());
        if (m_newSettings) {
            ::RegDeleteTreeW(HKEY_CURRENT_USER, m_settingsKey.c_str());
            ::RegDeleteKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\Brimlok"); // fails while other keys are in it
        }
        if (m_newEmulationValue)
            ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kEmulationKey, L"Client.exe");
        if (m_newEmulationKey)
            ::RegDeleteKeyW(HKEY_CURRENT_USER, kEmulationKey);
        if (m_newFeatureKey)
            ::RegDeleteKeyW(HKEY_CURRENT_USER, kFeatureKey);
    }
    ClientTraces(const ClientTraces&) = delete;
    ClientTraces& operator=(const ClientTraces&) = delete;

    const ClientNames& Names() const { return m_names; }
    std::wstring ClientLink() const { return m_desktop + L"\\" + m_names.displayName + L".lnk"; }
    std::wstring SiteLink() const { return m_desktop + L"\\" + m_names.siteLink + L".lnk"; }
    const std::wstring& SettingsKey() const { return m_settingsKey; }
    bool NewLinks() const { return m_newLinks.size() == 2; }
    bool NewSettings() const { return m_newSettings; }
    bool NewEmulationValue() const { return m_newEmulationValue; }

private:
    ClientNames m_names;
    std::wstring m_desktop;
    std::wstring m_settingsKey;
    std::vector<std::wstring> m_newLinks;
    bool m_newSettings = false;
    bool m_newFeatureKey = false;
    bool m_newEmulationKey = false;
    bool m_newEmulationValue = false;
};

// Starts the client from a folder of its own and ends it through the exit
// command.
void RunClient(const TempFolder& folder)
{
    ProgramUnderTest program(g_program, folder, L"Client.exe");
    ASSERT_TRUE(program.Start());
    HWND frame = program.WaitForWindow(L"ZEP_CLASS");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(::PostMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0));
    EXPECT_EQ(program.WaitForExit(), 0u);
}


std::wstring ShortcutTarget(const std::wstring& path)
{
    // This program's own main starts no COM.
    const HRESULT com = ::CoInitialize(nullptr);
    const std::wstring target = [&] {
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        wchar_t text[MAX_PATH] = {};
        if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         link.PutVoid())) &&
            SUCCEEDED(link.As(file)) && SUCCEEDED(file->Load(path.c_str(), STGM_READ)))
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        return std::wstring(text);
    }();
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return target;
}

TEST(Program, HiddenFrameOfTheConfiguredClassThenCleanExit)
{
    ClientTraces traces;
    TempFolder folder;
    ProgramUnderTest program(g_program, folder, L"Client.exe");
    ASSERT_TRUE(program.Start());
    HWND frame = program.WaitForWindow(L"ZEP_CLASS");
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(::IsWindowVisible(frame));
    ASSERT_TRUE(::PostMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0));
    EXPECT_EQ(program.WaitForExit(), 0u);
}

// What one run of the client leaves in the system: the program under its
// display name as well and the shortcuts (where the file system can hold
// those names), the settings and the emulation value.
void CheckIntegration(bool namesFit)
{
    ClientTraces traces;
    TempFolder folder;
    RunClient(folder);
    const std::wstring target = folder.File(traces.Names().displayName + L".exe");

    const auto files = FolderFiles(folder.Path());
    ASSERT_EQ(files.count(L"Client.exe"), 1u);
    if (namesFit) {
        EXPECT_EQ(files.size(), 2u);
        ASSERT_EQ(files.count(traces.Names().displayName + L".exe"), 1u);
        EXPECT_EQ(files.at(traces.Names().displayName + L".exe"), files.at(L"Client.exe"));
    } else {
        EXPECT_EQ(files.size(), 1u);
    }

    if (!namesFit) {
        EXPECT_FALSE(Exists(traces.ClientLink()));
    } else if (traces.NewLinks()) {
        EXPECT_EQ(ShortcutTarget(traces.ClientLink()), target);
        EXPECT_TRUE(Exists(traces.SiteLink()));
    }

    CRegKey settings;
    ASSERT_EQ(settings.Open(HKEY_CURRENT_USER, traces.SettingsKey().c_str(), KEY_READ), ERROR_SUCCESS);
    for (const wchar_t* name : {L"UseHotKey", L"AlwaysTop", L"HotKey"}) {
        std::wstring text;
        EXPECT_EQ(settings.QueryStringValue(name, text, 1023), ERROR_SUCCESS) << testing::PrintToString(name);
        if (traces.NewSettings())
            EXPECT_EQ(text, L"0") << testing::PrintToString(name);
    }

    CRegKey emulation;
    ASSERT_EQ(emulation.Open(HKEY_CURRENT_USER, kEmulationKey, KEY_READ), ERROR_SUCCESS);
    DWORD value = 0;
    // Named after the file the client was started as.
    EXPECT_EQ(emulation.QueryDWORDValue(L"Client.exe", value), ERROR_SUCCESS);
    if (traces.NewEmulationValue())
        EXPECT_EQ(value, GetBrowserEmulationValue());
}

TEST(Program, IntegratesWithTheDesktopAndTheRegistry)
{
    // Under a single-byte code page the display name comes out as other
    // letters, which Wine can store as a file name only where the Unix
    // locale can spell them (not in the C locale).
    TempFolder probe;
    const std::wstring probeFile = probe.File(BuiltInNames().displayName + L".exe");
    HANDLE file = ::CreateFileW(probeFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    const bool namesFit = file != INVALID_HANDLE_VALUE;
    if (namesFit)
        ::CloseHandle(file);
    CheckIntegration(namesFit);
}

TEST(ProgramCp936, RenamesItselfToTheChineseDisplayName)
{
    ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.GB2312";
    ASSERT_EQ(BuiltInNames().displayName, L"\u971c\u5cad\u4f20\u8bf4");
    CheckIntegration(true);
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: test_program <path of Client.exe>\n");
        return 2;
    }
    g_program = WindowsPath(argv[1]);
    return RUN_ALL_TESTS();
}
