#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "config/IntegrationSupport.h"
#include "platform/RegKey.h"

namespace {

TEST(RegKey, OpenCreateAndClose)
{
    TempRegistryKey root;
    CRegKey key;
    EXPECT_EQ(key.Open(root.Get(), L"a\\b", KEY_READ), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.Get(), nullptr);
    ASSERT_EQ(key.Create(root.Get(), L"a\\b", KEY_READ | KEY_WRITE), ERROR_SUCCESS);
    EXPECT_NE(key.Get(), nullptr);
    EXPECT_TRUE(RegKeyExists(root.Get(), L"a\\b"));
    CRegKey again;
    EXPECT_EQ(again.Open(root.Get(), L"a\\b", KEY_READ), ERROR_SUCCESS);
    key.Close();
    EXPECT_EQ(key.Get(), nullptr);
    EXPECT_EQ(key.Open(nullptr, L"a", KEY_READ), ERROR_INVALID_HANDLE);
    EXPECT_EQ(key.Create(nullptr, L"a", KEY_READ), ERROR_INVALID_HANDLE);
}

TEST(RegKey, StringValues)
{
    TempRegistryKey root;
    CRegKey key;
    ASSERT_EQ(key.Create(root.Get(), L"k", KEY_READ | KEY_WRITE), ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue(L"v", L"text"), ERROR_SUCCESS);
    const auto stored = ReadRegValue(root.Get(), L"k", L"v");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored->bytes, SzBytes(L"text"));

    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
        LONG result;
        std::wstring value;
    } cases[] = {
        {"text", REG_SZ, SzBytes(L"abc"), ERROR_SUCCESS, L"abc"},
        {"expandable, unexpanded", REG_EXPAND_SZ, SzBytes(L"%TEMP%"), ERROR_SUCCESS, L"%TEMP%"},
        {"empty", REG_SZ, SzBytes(L""), ERROR_SUCCESS, L""},
        {"no data", REG_SZ, "", ERROR_SUCCESS, L""},
        {"no terminator", REG_SZ, std::string("a\0b\0", 4), ERROR_SUCCESS, L"ab"},
        {"ends at the first terminator", REG_SZ, std::string("a\0\0\0b\0\0\0", 8), ERROR_SUCCESS, L"a"},
        {"exactly the limit", REG_SZ, SzBytes(std::wstring(8, L'x')), ERROR_SUCCESS, std::wstring(8, L'x')},
        {"limit without terminator", REG_SZ, std::string(16, 'x'), ERROR_SUCCESS, std::wstring(8, L'\x7878')},
        {"one more", REG_SZ, SzBytes(std::wstring(9, L'x')), ERROR_MORE_DATA, L"kept"},
        {"one more without terminator", REG_SZ, std::string(18, 'x'), ERROR_MORE_DATA, L"kept"},
        {"a number", REG_DWORD, std::string(4, '\0'), ERROR_INVALID_DATA, L"kept"},
        {"multi-string", REG_MULTI_SZ, SzBytes(L"a") + std::string(2, '\0'), ERROR_INVALID_DATA, L"kept"},
    };
    for (const auto& c : cases) {
        WriteRegValue(root.Get(), L"k", L"v", c.type, c.bytes);
        std::wstring value = L"kept";
        EXPECT_EQ(key.QueryStringValue(L"v", value, 8), c.result) << c.what;
        EXPECT_EQ(value, c.value) << c.what;
    }
    std::wstring value;
    EXPECT_EQ(key.QueryStringValue(L"absent", value, 8), ERROR_FILE_NOT_FOUND);
}

TEST(RegKey, DwordValues)
{
    TempRegistryKey root;
    CRegKey key;
    ASSERT_EQ(key.Create(root.Get(), L"k", KEY_READ | KEY_WRITE), ERROR_SUCCESS);
    ASSERT_EQ(key.SetDWORDValue(L"d", 0x12345678), ERROR_SUCCESS);
    const auto stored = ReadRegValue(root.Get(), L"k", L"d");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored->bytes, DwordBytes(0x12345678));

    const struct {
        const char* what;
        DWORD type;
        std::string bytes;
        LONG result;
        DWORD value;
    } cases[] = {
        {"dword", REG_DWORD, DwordBytes(7000), ERROR_SUCCESS, 7000},
        {"two bytes", REG_DWORD, std::string(2, '\x01'), ERROR_INVALID_DATA, 99},
        {"eight bytes", REG_QWORD, std::string(8, '\x01'), ERROR_MORE_DATA, 99},
        {"four binary bytes", REG_BINARY, DwordBytes(7), ERROR_INVALID_DATA, 99},
        {"text", REG_SZ, SzBytes(L"7"), ERROR_INVALID_DATA, 99},
    };
    for (const auto& c : cases) {
        WriteRegValue(root.Get(), L"k", L"d", c.type, c.bytes);
        DWORD value = 99;
        EXPECT_EQ(key.QueryDWORDValue(L"d", value), c.result) << c.what;
        EXPECT_EQ(value, c.value) << c.what;
    }
}

} // namespace
