#include "app/LoginAddress.h"

#include <ctime>
#include <cwctype>

namespace {

bool IsConversionPrefix(wchar_t c)
{
    return c == L'-' || c == L'+' || c == L' ' || c == L'#' || c == L'.' || c == L'*' || (c >= L'0' && c <= L'9') ||
           c == L'l' || c == L'h' || c == L'I' || c == L'j' || c == L'z' || c == L't' || c == L'L';
}

} // namespace

std::wstring FormatLoginAddress(const std::wstring& pattern, const std::wstring& serverId, int mode, int32_t time,
                                const std::wstring& signature)
{
    const std::wstring args[] = {serverId, std::to_wstring(mode), std::to_wstring(time), signature};
    std::wstring out;
    size_t next = 0;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != L'%') {
            out += pattern[i];
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == L'%') {
            out += L'%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        while (j < pattern.size() && IsConversionPrefix(pattern[j]))
            ++j;
        if (j >= pattern.size())
            break; // an unfinished conversion at the end
        if (next < 4)
            out += args[next];
        ++next;
        i = j;
    }
    for (auto& c : out) {
        if (c == L'+')
            c = L'&';
    }
    return out;
}

std::wstring SignatureText(const std::wstring& serverId, int32_t time, const std::wstring& key)
{
    return serverId + std::to_wstring(time) + key;
}

int32_t TimeStamp32()
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(std::time(nullptr))));
}
