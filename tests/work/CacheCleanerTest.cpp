#include <gtest/gtest.h>

#include <windows.h>
#include <urlmon.h>
#include <wininet.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common/LocalHttpServer.h"
#include "work/CacheCleaner.h"

namespace {

bool IsCached(const std::wstring& url)
{
    DWORD size = 0;
    return ::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size) || ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

// The size of an entry's record, 0 when it is not cached.
DWORD RecordSize(const std::wstring& url)
{
    DWORD size = 0;
    ::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
    return ::GetLastError() == ERROR_INSUFFICIENT_BUFFER ? size : 0;
}

// The source URLs of the whole cache, in its enumeration order.
std::vector<std::wstring> CachedUrls()
{
    std::vector<std::wstring> urls;
    std::vector<unsigned char> buffer(64 * 1024);
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    DWORD size = static_cast<DWORD>(buffer.size());
    HANDLE find = ::FindFirstUrlCacheEntryW(nullptr, entry, &size);
    if (!find)
        return urls;
    do {
        urls.push_back(entry->lpszSourceUrlName);
        size = static_cast<DWORD>(buffer.size());
    } while (::FindNextUrlCacheEntryW(find, entry, &size));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_NO_MORE_ITEMS));
    ::FindCloseUrlCache(find);
    return urls;
}

size_t Position(const std::vector<std::wstring>& urls, const std::wstring& url)
{
    return static_cast<size_t>(std::find(urls.begin(), urls.end(), url) - urls.begin());
}

class CacheCleanerTest : public testing::Test {
protected:
    // Puts a fresh copy of a path of our server into the browser cache.
    std::wstring Cache(const std::string& path)
    {
        m_server.SetReply(path, {200, "cached " + path, "text/plain"});
        const std::wstring url = m_server.WideUrl(path);
        wchar_t file[MAX_PATH];
        EXPECT_EQ(::URLDownloadToCacheFileW(nullptr, url.c_str(), file, MAX_PATH, 0, nullptr), S_OK) << path;
        EXPECT_TRUE(IsCached(url)) << path;
        return url;
    }

    LocalHttpServer m_server;
};

TEST_F(CacheCleanerTest, EachCallDeletesOnlyTheFirstMatchingEntry)
{
    const std::wstring one = Cache("/game/one.swf");
    const std::wstring two = Cache("/game/two.swf");
    const std::wstring other = Cache("/other/three.swf");
    const std::wstring pattern = m_server.WideUrl("/game/");
    const auto order = CachedUrls();
    const std::wstring& first = Position(order, one) < Position(order, two) ? one : two;
    const std::wstring& second = &first == &one ? two : one;

    ClearCacheEntries(pattern.c_str());
    EXPECT_FALSE(IsCached(first));
    EXPECT_TRUE(IsCached(second));

    ClearCacheEntries(pattern.c_str());
    EXPECT_FALSE(IsCached(second));

    const std::wstring front = CachedUrls().front();
    ClearCacheEntries(pattern.c_str());
    EXPECT_TRUE(IsCached(front));
    EXPECT_TRUE(IsCached(other));
}

TEST_F(CacheCleanerTest, LetterCaseCounts)
{
    const std::wstring url = Cache("/CaseTest/Game.swf");

    ClearCacheEntries(m_server.WideUrl("/casetest/game.swf").c_str());
    EXPECT_TRUE(IsCached(url));

    ClearCacheEntries(m_server.WideUrl("/CaseTest/").c_str());
    EXPECT_FALSE(IsCached(url));
}

TEST_F(CacheCleanerTest, EmptyOrMissingPatternDeletesNothing)
{
    const std::wstring url = Cache("/empty/pattern.swf");
    // Every URL contains the empty text: without its own check the call
    // would delete the first entry of the cache.
    const std::wstring front = CachedUrls().front();

    ClearCacheEntries(L"");
    ClearCacheEntries(nullptr);
    EXPECT_TRUE(IsCached(front));
    EXPECT_TRUE(IsCached(url));
}

TEST_F(CacheCleanerTest, BufferGrowsForALargerEntryLaterInTheEnumeration)
{
    Cache("/grow/small.swf");
    // The record of an entry holds its URL, so a long URL makes the largest
    // record. It must not be the first one met, or no growing is needed;
    // where an entry lands in the enumeration depends on its name.
    std::wstring large;
    for (int attempt = 0; attempt < 8 && large.empty(); ++attempt) {
        const std::wstring url = Cache("/grow/" + std::to_string(attempt) + std::string(1200, 'x') + ".swf");
        const auto order = CachedUrls();
        if (Position(order, url) > 0 && RecordSize(url) > RecordSize(order.front()))
            large = url;
        else
            ::DeleteUrlCacheEntryW(url.c_str());
    }
    ASSERT_FALSE(large.empty()) << "no large entry landed after the first one";

    ClearCacheEntries(large.c_str());
    EXPECT_FALSE(IsCached(large));
}

} // namespace
