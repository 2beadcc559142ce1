#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "common/ProgramUnderTest.h"
#include "config/ClientConfig.h"
#include "config/IntegrationSupport.h"
#include "config/Shortcut.h"
#include "config/SystemPlaces.h"
#include "platform/Resource.h"
#include "resource.h"

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;
using Files = std::map<std::wstring, std::string>;

const std::string kProgramBytes = "MZ stands in for the program";
const std::string kSite = "http://127.0.0.1:18760/";

// What a link object keeps of an address given as its path: Windows keeps
// the address; Wine's turns it into a full path below the current folder.
::testing::AssertionResult IsLinkToAddress(const std::wstring& target, const std::wstring& address)
{
    wchar_t full[MAX_PATH] = {};
    ::GetFullPathNameW(address.c_str(), MAX_PATH, full, nullptr);
    if (target == address || target == full)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << testing::PrintToString(target) << " is no link to "
                                         << testing::PrintToString(address);
}

// A program folder and a desktop folder of the test's own; the program is
// a file of known bytes, never the test program.
class DesktopLinks : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(::CreateDirectoryW(ProgramFolder().c_str(), nullptr));
        ASSERT_TRUE(::CreateDirectoryW(Desktop().c_str(), nullptr));
    }

    std::wstring ProgramFolder() const { return m_root.File(L"Game"); }
    std::wstring Desktop() const { return m_root.File(L"Desktop"); }
    std::wstring InProgramFolder(const std::wstring& name) const { return ProgramFolder() + L"\\" + name; }
    std::wstring OnDesktop(const std::wstring& name) const { return Desktop() + L"\\" + name; }

    // Runs the creation sequence for a program started as programName.
    void Run(const std::wstring& programName, const Attributes& extra = {}, bool withDesktop = true)
    {
        Attributes attributes = {{"userClientAbout", "Fabled Ridge"}, {"gwUrl", kSite}, {"gwLink", "Fabled Ridge Site"}};
        attributes.insert(attributes.end(), extra.begin(), extra.end());
        SYSTEM_PLACES places;
        places.strModulePath = InProgramFolder(programName);
        if (withDesktop)
            places.strDesktopFolder = Desktop();
        auto record = CreateRecord(places, ConfigDocument(attributes));
        ASSERT_TRUE(record);
    }

    TempFolder m_root;
};

const struct RenameCase {
    const char* what;
    Attributes attributes;
    Files before;
    const wchar_t* started;
    Files after;
} kRenameCases[] = {
    {"server copy", {}, {{L"Client_s12.exe", kProgramBytes}}, L"Client_s12.exe",
     {{L"Client_s12.exe", kProgramBytes}, {L"Fabled Ridge.exe", kProgramBytes}}},
    {"an old file at the target is replaced",
     {},
     {{L"Client_s12.exe", kProgramBytes}, {L"Fabled Ridge.exe", "old"}},
     L"Client_s12.exe",
     {{L"Client_s12.exe", kProgramBytes}, {L"Fabled Ridge.exe", kProgramBytes}}},
    {"already named", {}, {{L"Fabled Ridge.exe", kProgramBytes}}, L"Fabled Ridge.exe",
     {{L"Fabled Ridge.exe", kProgramBytes}}},
    {"named in other letter case", {}, {{L"FABLED RIDGE.EXE", kProgramBytes}}, L"FABLED RIDGE.EXE",
     {{L"FABLED RIDGE.EXE", kProgramBytes}}},
    {"noRename 1", {{"noRename", "1"}}, {{L"Client_s12.exe", kProgramBytes}}, L"Client_s12.exe",
     {{L"Client_s12.exe", kProgramBytes}}},
    {"noRename 2 after blanks", {{"noRename", " 2x"}}, {{L"Client_s12.exe", kProgramBytes}}, L"Client_s12.exe",
     {{L"Client_s12.exe", kProgramBytes}}},
    {"noRename letters count as 0", {{"noRename", "abc"}}, {{L"Client_s12.exe", kProgramBytes}}, L"Client_s12.exe",
     {{L"Client_s12.exe", kProgramBytes}, {L"Fabled Ridge.exe", kProgramBytes}}},
    {"noRename 0", {{"noRename", "0"}}, {{L"Client.exe", kProgramBytes}}, L"Client.exe",
     {{L"Client.exe", kProgramBytes}, {L"Fabled Ridge.exe", kProgramBytes}}},
};

TEST_F(DesktopLinks, ProgramFileTakesTheDisplayName)
{
    for (const auto& c : kRenameCases) {
        SCOPED_TRACE(c.what);
        for (const auto& [name, bytes] : FolderFiles(ProgramFolder()))
            ::DeleteFileW(InProgramFolder(name).c_str());
        for (const auto& [name, bytes] : c.before)
            WriteFileBytes(InProgramFolder(name), bytes);
        Run(c.started, c.attributes, false);
        EXPECT_EQ(FolderFiles(ProgramFolder()), c.after);
    }
}

TEST_F(DesktopLinks, ShortcutsToTheDisplayNameProgramAndTheSite)
{
    WriteFileBytes(InProgramFolder(L"Client_s12.exe"), kProgramBytes);
    Run(L"Client_s12.exe");
    const std::wstring target = InProgramFolder(L"Fabled Ridge.exe");

    const auto client = ReadShortcut(OnDesktop(L"Fabled Ridge.lnk"));
    ASSERT_TRUE(client.has_value());
    EXPECT_EQ(client->target, target);
    EXPECT_EQ(client->icon, target);
    EXPECT_EQ(client->iconIndex, 0);
    EXPECT_EQ(client->workingFolder, L"\"" + ProgramFolder() + L"\"");
    EXPECT_EQ(client->arguments, L"");
    EXPECT_EQ(client->description, L"");
    EXPECT_EQ(client->hotKey, 0);

    const auto site = ReadShortcut(OnDesktop(L"Fabled Ridge Site.lnk"));
    ASSERT_TRUE(site.has_value());
    EXPECT_TRUE(IsLinkToAddress(site->target, std::wstring(kSite.begin(), kSite.end())));
    EXPECT_EQ(site->icon, target);
    EXPECT_EQ(site->iconIndex, 0);
    EXPECT_EQ(site->workingFolder, ProgramFolder());
    EXPECT_EQ(site->arguments, L"");
    EXPECT_EQ(site->description, L"");
    EXPECT_EQ(site->hotKey, 0);

    EXPECT_EQ(FolderFiles(Desktop()).size(), 2u);
}

TEST_F(DesktopLinks, NoRenameStillLinksTheDisplayNameProgram)
{
    WriteFileBytes(InProgramFolder(L"Client_s12.exe"), kProgramBytes);
    Run(L"Client_s12.exe", {{"noRename", "1"}});
    EXPECT_EQ(FolderFiles(ProgramFolder()), (Files{{L"Client_s12.exe", kProgramBytes}}));
    const auto client = ReadShortcut(OnDesktop(L"Fabled Ridge.lnk"));
    ASSERT_TRUE(client.has_value());
    EXPECT_EQ(client->target, InProgramFolder(L"Fabled Ridge.exe"));
}

TEST_F(DesktopLinks, SwitchesChooseTheShortcuts)
{
    const struct {
        Attributes attributes;
        std::vector<std::wstring> links;
    } cases[] = {
        {{}, {L"Fabled Ridge Site.lnk", L"Fabled Ridge.lnk"}},
        {{{"noLink", "1"}}, {L"Fabled Ridge Site.lnk"}},
        {{{"noGWLink", "1"}}, {L"Fabled Ridge.lnk"}},
        {{{"noLink", "1"}, {"noGWLink", "1"}}, {}},
        {{{"noLink", "no"}, {"noGWLink", "0"}}, {L"Fabled Ridge Site.lnk", L"Fabled Ridge.lnk"}},
    };
    for (const auto& c : cases) {
        for (const auto& [name, bytes] : FolderFiles(Desktop()))
            ::DeleteFileW(OnDesktop(name).c_str());
        WriteFileBytes(InProgramFolder(L"Fabled Ridge.exe"), kProgramBytes);
        Run(L"Fabled Ridge.exe", c.attributes);
        std::vector<std::wstring> links;
        for (const auto& [name, bytes] : FolderFiles(Desktop())) {
            EXPECT_TRUE(ReadShortcut(OnDesktop(name)).has_value()) << testing::PrintToString(name);
            links.push_back(name);
        }
        EXPECT_EQ(links, c.links) << testing::PrintToString(c.attributes);
    }
}

TEST_F(DesktopLinks, ExistingShortcutsAreNeverChanged)
{
    const std::wstring elsewhere = m_root.File(L"elsewhere.exe");
    ASSERT_TRUE(CreateShortcut(OnDesktop(L"Fabled Ridge.lnk"), elsewhere, L"", m_root.Path()));
    WriteFileBytes(OnDesktop(L"Fabled Ridge Site.lnk"), "not even a shortcut");
    const Files before = FolderFiles(Desktop());
    WriteFileBytes(InProgramFolder(L"Client_s12.exe"), kProgramBytes);
    Run(L"Client_s12.exe");
    EXPECT_EQ(FolderFiles(Desktop()), before);
    const auto client = ReadShortcut(OnDesktop(L"Fabled Ridge.lnk"));
    ASSERT_TRUE(client.has_value());
    EXPECT_EQ(client->target, elsewhere);
    // The program was renamed all the same.
    EXPECT_EQ(FolderFiles(ProgramFolder()).size(), 2u);
}

TEST_F(DesktopLinks, WithoutDesktopOrProgramPathNothingIsLinked)
{
    WriteFileBytes(InProgramFolder(L"Client_s12.exe"), kProgramBytes);
    Run(L"Client_s12.exe", {}, false);
    EXPECT_TRUE(FolderFiles(Desktop()).empty());
    EXPECT_EQ(FolderFiles(ProgramFolder()).size(), 2u);

    SYSTEM_PLACES places;
    places.strDesktopFolder = Desktop();
    auto record = CreateRecord(places, ConfigDocument({{"userClientAbout", "Fabled Ridge"}, {"gwLink", "Site"}}));
    ASSERT_TRUE(record);
    EXPECT_TRUE(FolderFiles(Desktop()).empty());
}

TEST_F(DesktopLinks, WithoutDisplayNameNothingIsRenamedOrLinked)
{
    WriteFileBytes(InProgramFolder(L"Client_s12.exe"), kProgramBytes);
    SYSTEM_PLACES places;
    places.strModulePath = InProgramFolder(L"Client_s12.exe");
    places.strDesktopFolder = Desktop();
    auto record = CreateRecord(places, ConfigDocument({{"gwLink", "Site"}, {"gwUrl", kSite}}));
    ASSERT_TRUE(record);
    EXPECT_EQ(FolderFiles(ProgramFolder()), (Files{{L"Client_s12.exe", kProgramBytes}}));
    EXPECT_TRUE(FolderFiles(Desktop()).empty());
}

// The built-in display name is Chinese text, right under code page 936.
TEST_F(DesktopLinks, Cp936BuiltInNames)
{
    ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.GB2312";
    const std::wstring displayName = L"\u971c\u5cad\u4f20\u8bf4";
    WriteFileBytes(InProgramFolder(L"Client_s12.exe"), kProgramBytes);
    SYSTEM_PLACES places;
    places.strModulePath = InProgramFolder(L"Client_s12.exe");
    places.strDesktopFolder = Desktop();
    auto record = CreateRecord(places, LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
    ASSERT_TRUE(record);
    EXPECT_EQ(FolderFiles(ProgramFolder()),
              (Files{{L"Client_s12.exe", kProgramBytes}, {displayName + L".exe", kProgramBytes}}));
    const auto client = ReadShortcut(OnDesktop(displayName + L".lnk"));
    ASSERT_TRUE(client.has_value());
    EXPECT_EQ(client->target, InProgramFolder(displayName + L".exe"));
    const auto site = ReadShortcut(OnDesktop(displayName + L"\u5b98\u7f51.lnk"));
    ASSERT_TRUE(site.has_value());
    EXPECT_TRUE(IsLinkToAddress(site->target, record->GetGwUrl()));
}

// A folder name the ANSI code page cannot spell: the rename through that
// code page would name another file, so nothing is moved or deleted.
TEST_F(DesktopLinks, Cp1252FolderOutsideTheCodePageIsLeftAlone)
{
    ASSERT_EQ(::GetACP(), 1252u) << "run with LC_ALL=C.UTF-8";
    const std::wstring folder = m_root.File(L"\u6e38\u620f");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const Files before = {{L"Client_s12.exe", kProgramBytes}, {L"Fabled Ridge.exe", "an older copy"}};
    for (const auto& [name, bytes] : before)
        WriteFileBytes(folder + L"\\" + name, bytes);
    SYSTEM_PLACES places;
    places.strModulePath = folder + L"\\Client_s12.exe";
    places.strDesktopFolder = Desktop();
    auto record = CreateRecord(places, ConfigDocument({{"userClientAbout", "Fabled Ridge"}, {"noGWLink", "1"}}));
    ASSERT_TRUE(record);
    EXPECT_EQ(FolderFiles(folder), before);
    // The shortcut is made all the same.
    EXPECT_TRUE(ReadShortcut(OnDesktop(L"Fabled Ridge.lnk")).has_value());
}

} // namespace
