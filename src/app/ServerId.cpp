#include "app/ServerId.h"

std::wstring ServerIdFromPath(std::wstring_view path)
{
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring_view::npos || slash == 0)
        return {};
    const std::wstring_view fileName = path.substr(slash + 1);
    const size_t underscore = fileName.rfind(L'_');
    if (underscore == std::wstring_view::npos || underscore == 0)
        return {};
    const std::wstring_view rest = fileName.substr(underscore + 1);
    const size_t end = rest.find_first_of(L"(.");
    if (end == std::wstring_view::npos)
        return {};
    return std::wstring(rest.substr(0, end));
}
