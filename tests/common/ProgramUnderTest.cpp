#include "common/ProgramUnderTest.h"

#include <shellapi.h>

#include <cwchar>

std::wstring WindowsPath(const std::string& path)
{
    std::wstring out(path.begin(), path.end());
    if (!out.empty() && out[0] == L'/') {
        for (auto& c : out)
            c = c == L'/' ? L'\\' : c;
        out = L"Z:" + out;
    }
    return out;
}

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH];
    ::GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    wchar_t name[MAX_PATH];
    std::swprintf(name, MAX_PATH, L"%lsclienttest_%lu_%u", base, ::GetCurrentProcessId(), ++counter);
    m_path = name;
    ::CreateDirectoryW(m_path.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    // SHFileOperation wants a double-zero-terminated list.
    std::wstring from = m_path;
    from.push_back(L'\0');
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    ::SHFileOperationW(&op);
}

ProgramUnderTest::ProgramUnderTest(const std::wstring& builtProgram, const TempFolder& folder,
                                   const std::wstring& fileName)
    : m_path(folder.File(fileName))
{
    ::CopyFileW(builtProgram.c_str(), m_path.c_str(), FALSE);
}

ProgramUnderTest::~ProgramUnderTest()
{
    if (m_info.hProcess) {
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_info.hProcess, 99);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
        ::CloseHandle(m_info.hProcess);
        ::CloseHandle(m_info.hThread);
    }
}

bool ProgramUnderTest::Start(const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + m_path + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    const size_t slash = m_path.rfind(L'\\');
    const std::wstring folder = m_path.substr(0, slash);
    return ::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                            &m_info) != FALSE;
}

std::vector<HWND> ProgramUnderTest::TopLevelWindows() const
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{m_info.dwProcessId, {}};
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(wnd, &pid);
            if (pid == s->pid)
                s->found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramUnderTest::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const
{
    const DWORD start = ::GetTickCount();
    do {
        for (HWND wnd : TopLevelWindows()) {
            if (ClassNameOf(wnd) == className)
                return wnd;
        }
        if (::WaitForSingleObject(m_info.hProcess, 100) != WAIT_TIMEOUT)
            return nullptr;
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

DWORD ProgramUnderTest::WaitForExit(DWORD timeoutMs) const
{
    if (::WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}

std::wstring ClassNameOf(HWND wnd)
{
    wchar_t name[256] = {};
    ::GetClassNameW(wnd, name, 256);
    return name;
}
