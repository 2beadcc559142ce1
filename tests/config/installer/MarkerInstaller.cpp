// Stands in for a plug-in installer in tests: writes the command line it
// was started with (UTF-16) to the file named by its first argument, so a
// test can see that it ran and with what.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return 2;
    const std::wstring marker = argv[1];
    const std::wstring partial = marker + L".partial";
    HANDLE file = ::CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    const wchar_t* commandLine = ::GetCommandLineW();
    DWORD written = 0;
    ::WriteFile(file, commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)), &written, nullptr);
    ::CloseHandle(file);
    // The marker appears whole or not at all.
    return ::MoveFileExW(partial.c_str(), marker.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
