// The update program the demo portal serves: it shows that it has run by
// leaving a marker file, ClientUpdate-ran.txt in the user's temporary
// folder, holding its own path and command line (UTF-16), then ends.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    wchar_t folder[MAX_PATH] = {};
    wchar_t self[MAX_PATH] = {};
    if (!::GetTempPathW(MAX_PATH, folder) || !::GetModuleFileNameW(nullptr, self, MAX_PATH))
        return 1;
    const std::wstring marker = std::wstring(folder) + L"ClientUpdate-ran.txt";
    const std::wstring partial = marker + L".partial";
    const std::wstring text = std::wstring(self) + L"\r\n" + ::GetCommandLineW() + L"\r\n";
    HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    const BOOL wrote =
        ::WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
    ::CloseHandle(file);
    // The marker appears whole or not at all.
    return wrote && ::MoveFileExW(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
