#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/HttpText.h"
#include "app/LoginAddress.h"
#include "app/Md5.h"
#include "app/VersionCheck.h"
#include "common/LocalHttpServer.h"

namespace {

TEST(Md5Hex, KnownDigests)
{
    EXPECT_EQ(Md5Hex("", 0), L"d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(Md5Hex("abc", 3), L"900150983cd24fb0d6963f7d28e17f72");
    const std::string text = "s121700000000key";
    EXPECT_EQ(Md5Hex(text.data(), text.size()).size(), 32u);
}

TEST(LoginAddress, TemplateArgumentsInOrderAndPlusAsAmpersand)
{
    const struct {
        const wchar_t* pattern;
        const wchar_t* expected;
    } cases[] = {
        {L"http://h/login?sid=%s+re=%d+t=%d+sign=%s", L"http://h/login?sid=s12&re=1&t=-5&sign=abc"},
        {L"http://h/login?sid=%s", L"http://h/login?sid=s12"},            // fewer conversions
        {L"http://h/a+b?sid=%s+x", L"http://h/a&b?sid=s12&x"},            // literal plus
        {L"http://h/?p=100%%+s=%s", L"http://h/?p=100%&s=s12"},           // escaped percent
        {L"http://h/?a=%s&b=%d&c=%d&d=%s&e=%s&f=%d", L"http://h/?a=s12&b=1&c=-5&d=abc&e=&f="}, // past the fourth
        {L"http://h/?a=%ls+b=%5d", L"http://h/?a=s12&b=1"},               // flags and lengths
        {L"http://h/?a=%", L"http://h/?a="},                              // unfinished at the end
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatLoginAddress(c.pattern, L"s12", 1, -5, L"abc"), c.expected) << testing::PrintToString(
            std::wstring(c.pattern));
    // A plus that comes from the server part turns too.
    EXPECT_EQ(FormatLoginAddress(L"?sid=%s", L"a+b", 0, 0, L""), L"?sid=a&b");
    EXPECT_EQ(SignatureText(L"s12", 1700000000, L"key"), L"s121700000000key");
}

TEST(VersionCheck, NumbersAndNewer)
{
    EXPECT_EQ(VersionNumber(), 1001);
    const struct {
        const wchar_t* text;
        int number;
        bool newer;
    } cases[] = {
        {L"1.0.0.2", 1002, true}, {L"1.0.0.1", 1001, false}, {L"1.0.0.10", 10010, true},
        {L"1.0.1", 101, false},   {L"2.0", 20, false},       {L"v1.0.0.2", 0, false},
        {L"", 0, false},          {L" 1.0.0.3x", 1003, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(VersionNumber(c.text), c.number) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(IsNewerVersion(c.text), c.newer) << testing::PrintToString(std::wstring(c.text));
    }
    EXPECT_EQ(RemoteConfigAddress(L"http://h/ver.xml?a=1", 42), L"http://h/ver.xml?a=1?42");
    EXPECT_EQ(RemoteConfigAddress(L"http://h/ver.xml", -7), L"http://h/ver.xml?-7");
}

TEST(HttpGetText, BodyOfAnyStatusUnchanged)
{
    LocalHttpServer server;
    server.SetReply("/game", {200, "http://game/play?x=1\r\n"});
    server.SetReply("/missing", {404, "<html>gone</html>"});
    std::string big(5000, 'a');
    big += "end";
    server.SetReply("/big", {200, big});
    EXPECT_EQ(HttpGetText(server.WideUrl("/game")), L"http://game/play?x=1\r\n");
    EXPECT_EQ(HttpGetText(server.WideUrl("/missing")), L"<html>gone</html>");
    EXPECT_EQ(HttpGetText(server.WideUrl("/big")), std::wstring(big.begin(), big.end()));
    // Each request goes to the server, none is answered from the cache.
    EXPECT_EQ(HttpGetText(server.WideUrl("/game")), L"http://game/play?x=1\r\n");
    EXPECT_EQ(server.CountRequests("/game"), 2u);
}

TEST(HttpGetText, OnlyPlainHttp)
{
    LocalHttpServer server;
    server.SetReply("/game", {200, "x"});
    std::wstring https = server.WideUrl("/game");
    https.replace(0, 4, L"https");
    EXPECT_EQ(HttpGetText(https), L"");
    EXPECT_EQ(HttpGetText(L"ftp://127.0.0.1/x"), L"");
    EXPECT_EQ(HttpGetText(L"not an address"), L"");
    EXPECT_EQ(HttpGetText(L""), L"");
    EXPECT_EQ(server.CountRequests("/game"), 0u);
}

TEST(HttpGetText, NoServerGivesEmpty)
{
    int port;
    {
        LocalHttpServer gone;
        port = gone.Port();
    }
    EXPECT_EQ(HttpGetText(L"http://127.0.0.1:" + std::to_wstring(port) + L"/x"), L"");
}

} // namespace

namespace {

// A two-byte character whose bytes fall on both sides of a 1023-byte read.
TEST(HttpGetTextCp936, CharacterAcrossTwoReadsComesOutWhole)
{
    ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.GB2312";
    LocalHttpServer server;
    std::string body(1022, 'a');
    body += "\xCB\xAA"; // one GB2312 character
    body += "b";
    server.SetReply("/text", {200, body});
    const std::wstring text = HttpGetText(server.WideUrl("/text"));
    EXPECT_EQ(text, std::wstring(1022, L'a') + L"\u971c" + L"b");
}

} // namespace
