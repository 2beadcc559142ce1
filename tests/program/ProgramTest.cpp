// The built client as a whole: its resources and its start-up and exit.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ProgramUnderTest.h"
#include "platform/FrameWnd.h"
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

struct PngSpec {
    UINT first, last;
    int width, height;
};

const PngSpec kPngs[] = {
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
    for (const auto& spec : kPngs) {
        for (UINT id = spec.first; id <= spec.last; ++id) {
            const std::string png = Bytes(id, L"PNG");
            ASSERT_GT(png.size(), 33u) << id;
            ASSERT_EQ(png.substr(1, 3), "PNG") << id;
            EXPECT_EQ(ReadBigEndian(png, 16), static_cast<unsigned>(spec.width)) << id;
            EXPECT_EQ(ReadBigEndian(png, 20), static_cast<unsigned>(spec.height)) << id;
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

TEST(Program, HiddenFrameOfTheConfiguredClassThenCleanExit)
{
    TempFolder folder;
    ProgramUnderTest program(g_program, folder, L"Client.exe");
    ASSERT_TRUE(program.Start());
    HWND frame = program.WaitForWindow(L"ZEP_CLASS");
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(::IsWindowVisible(frame));
    for (HWND wnd : program.TopLevelWindows()) {
        if (wnd != frame) {
            EXPECT_FALSE(::IsWindowVisible(wnd)) << "visible window of class "
                                                 << testing::PrintToString(ClassNameOf(wnd));
        }
    }
    ASSERT_TRUE(::PostMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0));
    EXPECT_EQ(program.WaitForExit(), 0u);
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
