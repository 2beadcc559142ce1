#include "skin/SkinValues.h"

#include "platform/TextUtil.h"

namespace {

// Numbers of a comma list are read from 8-bit text, like the document's
// own attribute values.
int ListNumber(const std::vector<std::wstring>& parts, size_t index)
{
    return index < parts.size() ? ReadDecimal(WideToAnsi(parts[index])) : 0;
}

} // namespace

std::vector<std::wstring> SplitText(std::wstring_view text)
{
    std::vector<std::wstring> parts;
    size_t position = 0;
    for (;;) {
        const size_t comma = text.find(L',', position);
        if (comma == std::wstring_view::npos) {
            parts.emplace_back(text.substr(position));
            break;
        }
        parts.emplace_back(text.substr(position, comma - position));
        position = comma + 1;
        if (position >= text.size())
            break;
    }
    return parts;
}

std::uint32_t ParseColor(std::wstring_view text)
{
    const auto parts = SplitText(text);
    const auto channel = [&](size_t i) { return static_cast<std::uint32_t>(ListNumber(parts, i)) & 0xFF; };
    return channel(0) | (channel(1) << 8) | (channel(2) << 16);
}

SkinBox ParseRect(std::wstring_view text)
{
    const auto parts = SplitText(text);
    return {ListNumber(parts, 0), ListNumber(parts, 1), ListNumber(parts, 2), ListNumber(parts, 3)};
}

std::optional<int> ParseInteger(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i >= text.size() || text[i] < '0' || text[i] > '9')
        return std::nullopt;
    return ReadDecimal(text);
}

void AnchorPoint(int& x, int& y, std::wstring_view align, const SkinBox& parent, const SkinBox& size)
{
    const bool right = EqualsNoCase(align, L"TopRight") || EqualsNoCase(align, L"BottomRight");
    const bool bottom = EqualsNoCase(align, L"BottomLeft") || EqualsNoCase(align, L"BottomRight");
    if (right)
        x = parent.right - size.Width() - x;
    if (bottom)
        y = parent.bottom - size.Height() - y;
}
