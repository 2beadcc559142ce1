#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "common/ProgramUnderTest.h"
#include "config/IntegrationSupport.h"
#include "platform/Process.h"

namespace {

TEST(ModulePath, FullPathAndFolder)
{
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    const std::wstring full = path;
    EXPECT_EQ(GetModulePath(true), full);
    const std::wstring folder = GetModulePath(false);
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), L'\\');
    EXPECT_EQ(folder + L"\\" + FileNameOfPath(full), full);
    EXPECT_EQ(FileNameOfPath(full), L"test_config.exe");
}

TEST(ModulePath, SplittingPaths)
{
    const struct {
        const wchar_t* path;
        const wchar_t* folder;
        const wchar_t* name;
    } cases[] = {
        {L"C:\\Games\\Client_s12.exe", L"C:\\Games", L"Client_s12.exe"},
        {L"C:\\Client.exe", L"C:", L"Client.exe"},
        {L"C:\\Games\\", L"C:\\Games", L""},
        {L"Client.exe", L"", L"Client.exe"},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FolderOfPath(c.path), c.folder) << testing::PrintToString(c.path);
        EXPECT_EQ(FileNameOfPath(c.path), c.name) << testing::PrintToString(c.path);
    }
}

TEST(RunCommandLine, StartsWithTheWholeCommandLine)
{
    TempFolder folder;
    const std::wstring program = folder.File(L"marker.exe");
    ASSERT_TRUE(::CopyFileW(MarkerInstallerPath().c_str(), program.c_str(), TRUE));
    // Longer than the smallest command buffer.
    const std::wstring marker = folder.File(L"marker.txt");
    const std::wstring commandLine = L"\"" + program + L"\" \"" + marker + L"\" " + std::wstring(400, L'a');
    EXPECT_TRUE(RunCommandLine(commandLine));
    EXPECT_EQ(WaitForMarker(marker), commandLine);
}

TEST(RunCommandLine, FalseWhenNothingStarts)
{
    TempFolder folder;
    EXPECT_FALSE(RunCommandLine(L"\"" + folder.File(L"missing.exe") + L"\" argument"));
    EXPECT_FALSE(RunCommandLine(L""));
}

} // namespace
