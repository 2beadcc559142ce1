// Runs a copy of the built client in a folder of its own and finds its
// windows, for tests of the program as a whole.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A Unix path as Wine sees it (Z: maps to /); Windows paths pass unchanged.
std::wstring WindowsPath(const std::string& path);

// A fresh folder below the temporary folder; removed with its files.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }

private:
    std::wstring m_path;
};

class ProgramUnderTest {
public:
    // Copies the program into the folder under the given file name.
    ProgramUnderTest(const std::wstring& builtProgram, const TempFolder& folder, const std::wstring& fileName);
    ~ProgramUnderTest(); // ends a program still running

    bool Start(const std::wstring& arguments = L"");
    // The top-level window of the program with this class, waiting for it.
    HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 20000) const;
    std::vector<HWND> TopLevelWindows() const;
    // Exit code, or STILL_ACTIVE when it did not end in time.
    DWORD WaitForExit(DWORD timeoutMs = 20000) const;
    DWORD ProcessId() const { return m_info.dwProcessId; }
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
    PROCESS_INFORMATION m_info{};
};

std::wstring ClassNameOf(HWND wnd);
