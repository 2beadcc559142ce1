#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/ProgramUnderTest.h"
#include "config/BrowserEmulation.h"
#include "config/ClientConfig.h"
#include "config/IntegrationSupport.h"
#include "config/SystemPlaces.h"
#include "platform/Process.h"

namespace {

const std::wstring kFeatureControl = L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\";

// Stands for the value that GetBrowserEmulationValue gives.
constexpr DWORD kEmulation = 0xffffffff;

const struct {
    const wchar_t* feature;
    DWORD value;
} kFeatures[] = {
    {L"FEATURE_BROWSER_EMULATION", kEmulation},
    {L"FEATURE_GPU_RENDERING", 1},
    {L"FEATURE_MAXCONNECTIONSPERSERVER", 6},
    {L"FEATURE_MAXCONNECTIONSPER1_0SERVER", 6},
    {L"FEATURE_ALIGNED_TIMERS", 1},
    {L"FEATURE_ALLOW_HIGHFREQ_TIMERS", 1},
    {L"FEATURE_BEHAVIORS", 1},
    {L"FEATURE_LOCALMACHINE_LOCKDOWN", 0},
    {L"FEATURE_OBJECT_CACHING", 1},
    {L"FEATURE_SCRIPTURL_MITIGATION", 1},
};

// Feature keys below a registry key of the test's own instead of HKCU.
class FeatureControl : public testing::Test {
protected:
    void Run(const std::wstring& programName)
    {
        SYSTEM_PLACES places;
        places.hUserRoot = m_root.Get();
        places.strModulePath = m_folder.File(programName);
        // The program file is not there; nothing would be renamed anyway.
        auto record = CreateRecord(places, ConfigDocument({{"userClientAbout", "Fabled Ridge"}, {"noRename", "1"}}));
        ASSERT_TRUE(record);
    }
    // The feature's key, holding another program's value.
    void MakeKey(const wchar_t* feature)
    {
        WriteRegValue(m_root.Get(), kFeatureControl + feature, L"other.exe", REG_DWORD, DwordBytes(5));
    }
    std::optional<REG_VALUE> Value(const wchar_t* feature, const wchar_t* name) const
    {
        return ReadRegValue(m_root.Get(), kFeatureControl + feature, name);
    }

    TempRegistryKey m_root;
    TempFolder m_folder;
};

TEST_F(FeatureControl, EveryFeatureWithAKeyGetsItsValue)
{
    for (const auto& f : kFeatures)
        MakeKey(f.feature);
    Run(L"Client_s12.exe");
    for (const auto& f : kFeatures) {
        const auto value = Value(f.feature, L"Client_s12.exe");
        ASSERT_TRUE(value.has_value()) << testing::PrintToString(f.feature);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
        const DWORD expected = f.value == kEmulation ? GetBrowserEmulationValue() : f.value;
        EXPECT_EQ(value->bytes, DwordBytes(expected)) << testing::PrintToString(f.feature);
        // Other programs' values stay as they are.
        EXPECT_EQ(Value(f.feature, L"other.exe")->bytes, DwordBytes(5));
    }
}

TEST_F(FeatureControl, KeysAreNeverCreated)
{
    MakeKey(L"FEATURE_BEHAVIORS");
    Run(L"Client.exe");
    for (const auto& f : kFeatures) {
        if (f.feature == std::wstring(L"FEATURE_BEHAVIORS"))
            EXPECT_EQ(Value(f.feature, L"Client.exe")->bytes, DwordBytes(1));
        else
            EXPECT_FALSE(RegKeyExists(m_root.Get(), kFeatureControl + f.feature)) << testing::PrintToString(f.feature);
    }
}

TEST_F(FeatureControl, ExistingDwordStaysOtherTypesAreReplaced)
{
    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
        bool kept;
    } cases[] = {
        {"the user's own 7000", REG_DWORD, DwordBytes(7000), true},
        {"zero", REG_DWORD, DwordBytes(0), true},
        {"text", REG_SZ, SzBytes(L"7000"), false},
        {"four binary bytes", REG_BINARY, DwordBytes(7000), false},
        {"eight bytes", REG_QWORD, std::string(8, '\x01'), false},
        {"a DWORD of two bytes", REG_DWORD, std::string("\x58\x1b", 2), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRegValue(m_root.Get(), kFeatureControl + L"FEATURE_BROWSER_EMULATION", L"Client.exe", c.type, c.bytes);
        Run(L"Client.exe");
        const auto value = Value(L"FEATURE_BROWSER_EMULATION", L"Client.exe");
        ASSERT_TRUE(value.has_value());
        if (c.kept) {
            EXPECT_EQ(value->type, c.type);
            EXPECT_EQ(value->bytes, c.bytes);
        } else {
            EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
            EXPECT_EQ(value->bytes, DwordBytes(GetBrowserEmulationValue()));
        }
    }
}

TEST_F(FeatureControl, WithoutProgramPathNothingIsWritten)
{
    MakeKey(L"FEATURE_GPU_RENDERING");
    SYSTEM_PLACES places;
    places.hUserRoot = m_root.Get();
    auto record = CreateRecord(places, ConfigDocument({{"userClientAbout", "Fabled Ridge"}}));
    ASSERT_TRUE(record);
    EXPECT_EQ(RegValueNames(m_root.Get(), kFeatureControl + L"FEATURE_GPU_RENDERING"),
              std::vector<std::wstring>{L"other.exe"});
}

TEST(BrowserEmulation, ValueForEngineVersion)
{
    const struct {
        std::optional<unsigned> major;
        unsigned long value;
    } cases[] = {
        {8, 8888}, {10, 10001}, {11, 11000}, {9, 9999}, {7, 9999}, {12, 9999}, {0, 9999}, {std::nullopt, 9999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BrowserEmulationValue(c.major), c.value) << testing::PrintToString(c.major);
}

TEST(BrowserEmulation, MajorVersionFromTheVersionResource)
{
    // Test programs carry the client's version resource, 1.0.0.1.
    EXPECT_EQ(FileMajorVersion(GetModulePath(true)), 1u);
    TempFolder folder;
    WriteFileBytes(folder.File(L"plain.txt"), "no version here");
    EXPECT_EQ(FileMajorVersion(folder.File(L"plain.txt")), std::nullopt);
    EXPECT_EQ(FileMajorVersion(folder.File(L"missing.dll")), std::nullopt);
}

TEST(BrowserEmulation, InstalledEngineIsFoundByBareName)
{
    wchar_t system[MAX_PATH] = {};
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    const auto major = FileMajorVersion(std::wstring(system) + L"\\mshtml.dll");
    ASSERT_TRUE(major.has_value());
    EXPECT_EQ(FileMajorVersion(L"mshtml.dll"), major);
    EXPECT_EQ(GetBrowserEmulationValue(), BrowserEmulationValue(major));
}

} // namespace
