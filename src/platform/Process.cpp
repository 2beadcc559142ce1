#include "platform/Process.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {
constexpr size_t kMinCommandBuffer = MAX_PATH;
} // namespace

std::wstring GetModulePath(bool full)
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    // A result that fills the buffer has been cut.
    if (length == 0 || length >= MAX_PATH)
        return {};
    return full ? std::wstring(path, length) : FolderOfPath(std::wstring_view(path, length));
}

bool RunCommandLine(const std::wstring& commandLine)
{
    // CreateProcessW may write into the command line.
    std::vector<wchar_t> buffer(std::max(commandLine.size() + 1, kMinCommandBuffer), L'\0');
    std::copy(commandLine.begin(), commandLine.end(), buffer.begin());
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

std::wstring FolderOfPath(std::wstring_view path)
{
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring_view::npos ? std::wstring() : std::wstring(path.substr(0, slash));
}

std::wstring FileNameOfPath(std::wstring_view path)
{
    const size_t slash = path.rfind(L'\\');
    return std::wstring(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
}
