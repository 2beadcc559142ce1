// Stands in for a downloaded client update in tests: writes its own path to
// the file named by the environment variable CLIENT_UPDATE_MARKER.
#include <windows.h>

#include <string>

int wmain()
{
    wchar_t marker[MAX_PATH];
    if (!::GetEnvironmentVariableW(L"CLIENT_UPDATE_MARKER", marker, MAX_PATH))
        return 2;
    wchar_t self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    HANDLE file = ::CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    ::WriteFile(file, self, length * sizeof(wchar_t), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
