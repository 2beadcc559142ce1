#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/ClientConfig.h"
#include "config/IntegrationSupport.h"
#include "config/SystemPlaces.h"
#include "platform/Resource.h"
#include "resource.h"

namespace {

const wchar_t kSettingsKey[] = L"SOFTWARE\\Brimlok\\Fabled Ridge";
const wchar_t* const kNames[] = {L"UseHotKey", L"AlwaysTop", L"HotKey"};

// Settings below a registry key of the test's own instead of HKCU.
class UserSettings : public testing::Test {
protected:
    std::unique_ptr<CClientConfig> Load(const std::string& displayName = "Fabled Ridge")
    {
        SYSTEM_PLACES places;
        places.hUserRoot = m_root.Get();
        return CreateRecord(places, ConfigDocument({{"userClientAbout", displayName}}));
    }
    std::optional<REG_VALUE> Value(const wchar_t* name, const wchar_t* key = kSettingsKey) const
    {
        return ReadRegValue(m_root.Get(), key, name);
    }
    void Store(const wchar_t* name, DWORD type, const std::string& bytes)
    {
        WriteRegValue(m_root.Get(), kSettingsKey, name, type, bytes);
    }
    // The value is REG_SZ text with its terminator.
    ::testing::AssertionResult HoldsText(const wchar_t* name, const std::wstring& text,
                                         const wchar_t* key = kSettingsKey) const
    {
        const auto value = Value(name, key);
        if (!value)
            return ::testing::AssertionFailure() << testing::PrintToString(name) << " is missing";
        if (value->type != REG_SZ || value->bytes != SzBytes(text))
            return ::testing::AssertionFailure() << testing::PrintToString(name) << " has type " << value->type
                                                 << " and " << value->bytes.size() << " bytes";
        return ::testing::AssertionSuccess();
    }

    TempRegistryKey m_root;
};

TEST_F(UserSettings, FirstRunCreatesTheKeyWithTextZero)
{
    ASSERT_FALSE(RegKeyExists(m_root.Get(), kSettingsKey));
    auto record = Load();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_strRegKey, kSettingsKey);
    for (const wchar_t* name : kNames)
        EXPECT_TRUE(HoldsText(name, L"0"));
    EXPECT_EQ(RegValueNames(m_root.Get(), kSettingsKey).size(), 3u);
    EXPECT_EQ(record->m_nUseHotKey, 0);
    EXPECT_EQ(record->m_nAlwaysTop, 0);
    EXPECT_EQ(record->m_nHotKey, 0);
    record.reset();
    for (const wchar_t* name : kNames)
        EXPECT_TRUE(HoldsText(name, L"0"));
}

TEST_F(UserSettings, EachValueReachesItsField)
{
    Store(L"UseHotKey", REG_SZ, SzBytes(L"1"));
    Store(L"AlwaysTop", REG_SZ, SzBytes(L"2"));
    Store(L"HotKey", REG_SZ, SzBytes(L"1601"));
    auto record = Load();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_nUseHotKey, 1);
    EXPECT_EQ(record->m_nAlwaysTop, 2);
    EXPECT_EQ(record->m_nHotKey, 1601);
}

// How a stored value loads, what the load leaves in the registry, and
// what the deletion of the record writes back.
const struct StoredCase {
    const char* what;
    DWORD type;
    std::string bytes;
    int loaded;
    bool replacedOnLoad; // by the text "0"
    const wchar_t* saved;
} kStoredCases[] = {
    {"text 7", REG_SZ, SzBytes(L"7"), 7, false, L"7"},
    {"text abc", REG_SZ, SzBytes(L"abc"), 0, false, L"0"},
    {"empty text", REG_SZ, SzBytes(L""), 0, false, L"0"},
    {"blanks, sign, trailing letters", REG_SZ, SzBytes(L" \t-12px"), -12, false, L"-12"},
    {"expandable text", REG_EXPAND_SZ, SzBytes(L"12"), 12, false, L"12"},
    {"text without terminator", REG_SZ, std::string("3\0", 2), 3, false, L"3"},
    {"1023 characters", REG_SZ, SzBytes(L"5" + std::wstring(1022, L'x')), 5, false, L"5"},
    {"1024 characters", REG_SZ, SzBytes(L"5" + std::wstring(1023, L'x')), 0, true, L"0"},
    {"DWORD", REG_DWORD, DwordBytes(7), 0, true, L"0"},
    {"binary", REG_BINARY, std::string("7\0\0\0", 4), 0, true, L"0"},
    {"multi-string", REG_MULTI_SZ, std::string("7\0\0\0\0\0", 6), 0, true, L"0"},
};

TEST_F(UserSettings, StoredValuesTable)
{
    for (const auto& c : kStoredCases) {
        SCOPED_TRACE(c.what);
        for (const wchar_t* name : kNames)
            Store(name, c.type, c.bytes);
        auto record = Load();
        ASSERT_TRUE(record);
        EXPECT_EQ(record->m_nUseHotKey, c.loaded);
        EXPECT_EQ(record->m_nAlwaysTop, c.loaded);
        EXPECT_EQ(record->m_nHotKey, c.loaded);
        for (const wchar_t* name : kNames) {
            if (c.replacedOnLoad) {
                EXPECT_TRUE(HoldsText(name, L"0"));
            } else {
                const auto value = Value(name);
                ASSERT_TRUE(value.has_value());
                EXPECT_EQ(value->type, c.type);
                EXPECT_EQ(value->bytes, c.bytes);
            }
        }
        record.reset();
        for (const wchar_t* name : kNames)
            EXPECT_TRUE(HoldsText(name, c.saved));
    }
}

TEST_F(UserSettings, ChangedFieldsAreSavedAtDeletion)
{
    auto record = Load();
    ASSERT_TRUE(record);
    record->m_nUseHotKey = 1;
    record->m_nAlwaysTop = -1;
    record->m_nHotKey = 2147483647;
    // A key removed meanwhile is made again.
    ASSERT_EQ(::RegDeleteTreeW(m_root.Get(), kSettingsKey), ERROR_SUCCESS);
    record.reset();
    EXPECT_TRUE(HoldsText(L"UseHotKey", L"1"));
    EXPECT_TRUE(HoldsText(L"AlwaysTop", L"-1"));
    EXPECT_TRUE(HoldsText(L"HotKey", L"2147483647"));
    EXPECT_EQ(RegValueNames(m_root.Get(), kSettingsKey).size(), 3u);
}

TEST_F(UserSettings, WriteSetting)
{
    auto record = Load();
    ASSERT_TRUE(record);
    EXPECT_TRUE(record->WriteSetting(L"Extra", L"some text"));
    EXPECT_TRUE(HoldsText(L"Extra", L"some text"));
    EXPECT_TRUE(record->WriteSetting(L"Extra", L""));
    EXPECT_TRUE(HoldsText(L"Extra", L""));
    EXPECT_FALSE(record->WriteSetting(L"Missing", nullptr));
    EXPECT_FALSE(Value(L"Missing").has_value());
}

TEST_F(UserSettings, AnotherDisplayNameIsAnotherKey)
{
    Store(L"HotKey", REG_SZ, SzBytes(L"7"));
    auto record = Load("Other Game");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_strRegKey, L"SOFTWARE\\Brimlok\\Other Game");
    EXPECT_EQ(record->m_nHotKey, 0);
    EXPECT_TRUE(HoldsText(L"HotKey", L"0", L"SOFTWARE\\Brimlok\\Other Game"));
    record.reset();
    EXPECT_TRUE(HoldsText(L"HotKey", L"7"));
    EXPECT_EQ(RegValueNames(m_root.Get(), kSettingsKey).size(), 1u);
}

TEST_F(UserSettings, KeyThatCanBeNeitherOpenedNorCreated)
{
    // No key can be made below a key that has been deleted.
    HKEY gone = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(m_root.Get(), L"gone", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &gone, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(::RegDeleteKeyW(m_root.Get(), L"gone"), ERROR_SUCCESS);
    SYSTEM_PLACES places;
    places.hUserRoot = gone;
    auto record = CreateRecord(places, ConfigDocument({{"userClientAbout", "Fabled Ridge"}}));
    ASSERT_TRUE(record);
    EXPECT_EQ(record->m_nHotKey, 0);
    EXPECT_FALSE(record->WriteSetting(L"HotKey", L"1"));
    record.reset();
    ::RegCloseKey(gone);
    EXPECT_FALSE(RegKeyExists(m_root.Get(), L"gone"));
}

TEST_F(UserSettings, Cp936BuiltInDisplayNameNamesTheKey)
{
    ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.GB2312";
    SYSTEM_PLACES places;
    places.hUserRoot = m_root.Get();
    auto record = CreateRecord(places, LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
    ASSERT_TRUE(record);
    const std::wstring key = L"SOFTWARE\\Brimlok\\\u971c\u5cad\u4f20\u8bf4";
    EXPECT_EQ(record->m_strRegKey, key);
    for (const wchar_t* name : kNames)
        EXPECT_TRUE(HoldsText(name, L"0", key.c_str()));
}

} // namespace
