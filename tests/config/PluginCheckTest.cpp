#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/ProgramUnderTest.h"
#include "config/ClientConfig.h"
#include "config/IntegrationSupport.h"
#include "config/SystemPlaces.h"
#include "platform/TextUtil.h"

namespace {

const std::wstring kServerKey = L"CLSID\\{b2e8d85e-c0c5-48df-8dbc-1359b339ae32}\\InprocServer32";

// The plug-in's registration below a key of the test's own instead of
// HKCR; the installer is the marker-writing stand-in, copied into a
// temporary program folder whose name has a blank.
class PluginCheck : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(::CreateDirectoryW(ProgramFolder().c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryW((ProgramFolder() + L"\\setup").c_str(), nullptr));
        ASSERT_TRUE(::CopyFileW(MarkerInstallerPath().c_str(), (ProgramFolder() + L"\\setup\\plugin setup.exe").c_str(),
                                TRUE));
        WriteFileBytes(m_folder.File(L"plugin.dll"), "a plug-in");
    }

    std::wstring ProgramFolder() const { return m_folder.File(L"Game Folder"); }

    // The installer command line, relative to the program folder, writing
    // the given marker.
    std::wstring RunPlugin(const std::wstring& marker) const
    {
        return L"\\setup\\plugin setup.exe \"" + m_folder.File(marker) + L"\"";
    }

    std::unique_ptr<CClientConfig> Create(const std::wstring& runPlugin)
    {
        SYSTEM_PLACES places;
        places.strModulePath = ProgramFolder() + L"\\Client.exe";
        places.hClassesRoot = m_classes.Get();
        return CreateRecord(places, ConfigDocument({{"userClientAbout", "Fabled Ridge"},
                                                    {"noRename", "1"},
                                                    {"runPlugin", WideToAnsi(runPlugin)}}));
    }

    TempFolder m_folder;
    TempRegistryKey m_classes;
};

TEST_F(PluginCheck, RegistrationIsReadIntoThePluginPath)
{
    const struct {
        const char* what;
        bool registered;
        DWORD type;
        std::string bytes;
        std::wstring path;
    } cases[] = {
        {"not registered", false, REG_SZ, "", L""},
        {"text", true, REG_SZ, SzBytes(L"C:\\Plug\\plugin.dll"), L"C:\\Plug\\plugin.dll"},
        {"expandable text, kept unexpanded", true, REG_EXPAND_SZ, SzBytes(L"%SystemRoot%\\plugin.dll"),
         L"%SystemRoot%\\plugin.dll"},
        {"a number", true, REG_DWORD, DwordBytes(1), L""},
        {"1024 characters", true, REG_SZ, SzBytes(std::wstring(1024, L'x')), L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ::RegDeleteTreeW(m_classes.Get(), L"CLSID");
        if (c.registered)
            WriteRegValue(m_classes.Get(), kServerKey, nullptr, c.type, c.bytes);
        auto record = Create(L"");
        ASSERT_TRUE(record);
        EXPECT_EQ(record->m_strPluginPath, c.path);
    }
}

TEST_F(PluginCheck, InstallerStartsUnlessTheServerFileExists)
{
    const struct {
        const char* what;
        std::optional<std::wstring> registration;
        bool starts;
    } cases[] = {
        {"registered to an existing file", m_folder.File(L"plugin.dll"), false},
        {"not registered", std::nullopt, true},
        {"registered to a deleted file", m_folder.File(L"deleted.dll"), true},
        {"registered with an unexpanded variable", L"%TEMP%\\..\\plugin.dll", true},
    };
    std::vector<std::wstring> expected, unexpected;
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].what);
        ::RegDeleteTreeW(m_classes.Get(), L"CLSID");
        if (cases[i].registration)
            WriteRegValue(m_classes.Get(), kServerKey, nullptr, REG_SZ, SzBytes(*cases[i].registration));
        const std::wstring marker = L"marker" + std::to_wstring(i) + L".txt";
        auto record = Create(RunPlugin(marker));
        ASSERT_TRUE(record);
        EXPECT_EQ(record->CheckBrowserPlugin(), cases[i].starts);
        (cases[i].starts ? expected : unexpected).push_back(marker);
    }
    for (const auto& marker : expected) {
        // The program folder and the configured text, the program's path quoted.
        EXPECT_EQ(WaitForMarker(m_folder.File(marker)),
                  L"\"" + ProgramFolder() + L"\\setup\\plugin setup.exe\" \"" + m_folder.File(marker) + L"\"")
            << testing::PrintToString(marker);
    }
    // Started before the others, these would have finished by now.
    for (const auto& marker : unexpected)
        EXPECT_EQ(::GetFileAttributesW(m_folder.File(marker).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(PluginCheck, BlankAfterAFolderNameDoesNotEndTheProgram)
{
    // "setup" is a folder here, so the program is "setup plugin.exe".
    ASSERT_TRUE(::CopyFileW(MarkerInstallerPath().c_str(), (ProgramFolder() + L"\\setup plugin.exe").c_str(), TRUE));
    auto record = Create(L"\\setup plugin.exe \"" + m_folder.File(L"marker.txt") + L"\"");
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->CheckBrowserPlugin());
    EXPECT_EQ(WaitForMarker(m_folder.File(L"marker.txt")),
              L"\"" + ProgramFolder() + L"\\setup plugin.exe\" \"" + m_folder.File(L"marker.txt") + L"\"");
}

TEST_F(PluginCheck, NoInstallerConfiguredOrNoProgramFolder)
{
    auto record = Create(L"");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_strPluginPath, L"");
    EXPECT_FALSE(record->CheckBrowserPlugin());
    record.reset();

    SYSTEM_PLACES places;
    places.hClassesRoot = m_classes.Get();
    auto noFolder = CreateRecord(places, ConfigDocument({{"runPlugin", WideToAnsi(RunPlugin(L"m.txt"))}}));
    ASSERT_TRUE(noFolder);
    EXPECT_FALSE(noFolder->CheckBrowserPlugin());
}

TEST_F(PluginCheck, MissingInstallerProgramDoesNotStart)
{
    auto record = Create(L"\\setup\\no such setup.exe");
    ASSERT_TRUE(record);
    EXPECT_FALSE(record->CheckBrowserPlugin());
}

} // namespace
