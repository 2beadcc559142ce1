#include <gtest/gtest.h>

#include "app/ServerId.h"

namespace {

struct Case {
    const wchar_t* path;
    const wchar_t* serverId;
};

const Case kCases[] = {
    {L"C:\\Games\\Client_s12.exe", L"s12"},
    {L"C:\\Games\\Client_s12(1).exe", L"s12"},
    {L"C:\\Games\\A_B_s7.exe", L"s7"},
    {L"C:\\Games\\Client.exe", L""},
    {L"C:\\Games\\_s12.exe", L""},
    {L"Client_s12.exe", L""},
    {L"C:\\Games\\Client_s12", L""},
    {L"\\Client_s12.exe", L""},             // the backslash is the first character
    {L"C:\\Games_x\\Client.exe", L""},      // an underscore in a folder does not count
    {L"C:\\Games\\Client_.exe", L""},       // nothing between underscore and dot
    {L"C:\\Games\\Client_s1.2.exe", L"s1"}, // the first dot ends it
    {L"C:\\Games\\Client_s(3)_x.exe", L"x"},
    {L"C:\\Games\\Client_s12(2", L"s12"},
    {L"", L""},
};

TEST(ServerIdFromPath, Table)
{
    for (const auto& c : kCases)
        EXPECT_EQ(ServerIdFromPath(c.path), c.serverId) << "path: " << testing::PrintToString(std::wstring(c.path));
}

} // namespace
