#include "platform/TextUtil.h"

#include <climits>
#include <cwctype>

namespace {

template <typename Char>
int ReadDecimalImpl(std::basic_string_view<Char> text)
{
    size_t i = 0;
    auto isSpace = [](Char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    while (i < text.size() && isSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

wchar_t AsciiLowerChar(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

} // namespace

int ReadDecimal(std::string_view text) { return ReadDecimalImpl(text); }
int ReadDecimal(std::wstring_view text) { return ReadDecimalImpl(text); }

std::wstring AsciiLower(std::wstring_view text)
{
    std::wstring out(text);
    for (auto& c : out)
        c = AsciiLowerChar(c);
    return out;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiLowerChar(a[i]) != AsciiLowerChar(b[i]))
            return false;
    }
    return true;
}
