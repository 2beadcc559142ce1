#include "work/CacheCleaner.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cwchar>
#include <vector>

#include "platform/ScopedWin.h"

namespace {

struct CacheFindTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { ::FindCloseUrlCache(h); }
};
using ScopedCacheFind = Scoped<CacheFindTraits>;

// One cache entry record; grows when the cache asks for more room.
class EntryBuffer {
public:
    // Never smaller than the record's fixed part, which is read afterwards.
    explicit EntryBuffer(DWORD size) : m_bytes(std::max<size_t>(size, sizeof(INTERNET_CACHE_ENTRY_INFOW))) {}

    INTERNET_CACHE_ENTRY_INFOW* Entry() { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(m_bytes.data()); }
    DWORD Size() const { return static_cast<DWORD>(m_bytes.size()); }
    // False when the requested size would not make it larger.
    bool GrowTo(DWORD size)
    {
        if (size <= m_bytes.size())
            return false;
        m_bytes.resize(size);
        return true;
    }

private:
    std::vector<unsigned char> m_bytes;
};

bool SourceUrlContains(const INTERNET_CACHE_ENTRY_INFOW* entry, const wchar_t* pattern)
{
    return entry->lpszSourceUrlName && std::wcsstr(entry->lpszSourceUrlName, pattern);
}

// The next entry into the buffer; false at the end or on a failure.
bool FindNext(HANDLE find, EntryBuffer& buffer)
{
    for (;;) {
        DWORD size = buffer.Size();
        if (::FindNextUrlCacheEntryW(find, buffer.Entry(), &size))
            return true;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER || !buffer.GrowTo(size))
            return false;
    }
}

} // namespace

void ClearCacheEntries(const wchar_t* pattern)
{
    if (!pattern || !*pattern)
        return;
    // Asked without a buffer, the cache answers with the size of the first
    // entry; any other answer means it is empty or cannot be read.
    DWORD size = 0;
    if (HANDLE unexpected = ::FindFirstUrlCacheEntryW(nullptr, nullptr, &size)) {
        ::FindCloseUrlCache(unexpected);
        return;
    }
    if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return;
    EntryBuffer buffer(size);
    size = buffer.Size();
    ScopedCacheFind find(::FindFirstUrlCacheEntryW(nullptr, buffer.Entry(), &size));
    if (!find)
        return;
    do {
        if (SourceUrlContains(buffer.Entry(), pattern)) {
            ::DeleteUrlCacheEntryW(buffer.Entry()->lpszSourceUrlName);
            return;
        }
    } while (FindNext(find.get(), buffer));
}
