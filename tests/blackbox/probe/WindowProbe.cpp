// Looks at the desktop from inside Wine for the black-box tests, which run
// on the Linux side: windows with their class, rectangle, styles and
// visibility, processes, registry values and shell links; it can also post
// a message to a window (the exit command to the client's frame). Reads one
// command per line on stdin (arguments separated by tabs, non-ASCII text
// and backslashes written as \uXXXX) and answers each with one line of
// ASCII JSON.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7f) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

std::string Str(const std::wstring& text) { return "\"" + Utf8(text) + "\""; }

std::string Rect(const RECT& r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "]";
}

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string Handle(HWND wnd) { return std::to_string(reinterpret_cast<uintptr_t>(wnd)); }

std::wstring Unescape(const std::string& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 5 < text.size() && text[i + 1] == 'u') {
            out += static_cast<wchar_t>(std::stoul(text.substr(i + 2, 4), nullptr, 16));
            i += 5;
        } else {
            out += static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
        }
    }
    return out;
}

std::vector<std::wstring> Split(const std::string& line)
{
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        parts.push_back(Unescape(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start)));
        if (tab == std::string::npos)
            return parts;
        start = tab + 1;
    }
}

std::wstring ImageOf(DWORD pid)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process)
        return {};
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    if (!::QueryFullProcessImageNameW(process, 0, path, &size))
        path[0] = L'\0';
    ::CloseHandle(process);
    return path;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[256] = {};
    ::GetClassNameW(wnd, name, 256);
    return name;
}

std::wstring TitleOf(HWND wnd)
{
    wchar_t title[512] = {};
    ::GetWindowTextW(wnd, title, 512);
    return title;
}

std::string WindowFields(HWND wnd)
{
    RECT rect{}, client{};
    ::GetWindowRect(wnd, &rect);
    ::GetClientRect(wnd, &client);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    return "\"hwnd\":" + Handle(wnd) + ",\"pid\":" + std::to_string(pid) + ",\"class\":" + Str(ClassOf(wnd)) +
           ",\"title\":" + Str(TitleOf(wnd)) + ",\"rect\":" + Rect(rect) + ",\"client\":" + Rect(client) +
           ",\"style\":" + std::to_string(static_cast<DWORD>(::GetWindowLongW(wnd, GWL_STYLE))) +
           ",\"exStyle\":" + std::to_string(static_cast<DWORD>(::GetWindowLongW(wnd, GWL_EXSTYLE))) +
           ",\"visible\":" + Bool(::IsWindowVisible(wnd)) + ",\"iconic\":" + Bool(::IsIconic(wnd)) +
           ",\"zoomed\":" + Bool(::IsZoomed(wnd)) + ",\"owner\":" + Handle(::GetWindow(wnd, GW_OWNER)) +
           ",\"id\":" + std::to_string(::GetDlgCtrlID(wnd));
}

std::string ChildrenOf(HWND parent)
{
    std::vector<HWND> children;
    ::EnumChildWindows(
        parent,
        [](HWND wnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    std::string out = "[";
    for (HWND child : children) {
        if (out.size() > 1)
            out += ",";
        out += "{" + WindowFields(child) + ",\"parent\":" + Handle(::GetParent(child)) + "}";
    }
    return out + "]";
}

std::string Windows()
{
    std::vector<HWND> tops;
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tops));
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    std::string out = "{\"workArea\":" + Rect(work) + ",\"screen\":[" +
                      std::to_string(::GetSystemMetrics(SM_CXSCREEN)) + "," +
                      std::to_string(::GetSystemMetrics(SM_CYSCREEN)) + "],\"foreground\":" +
                      Handle(::GetForegroundWindow()) + ",\"windows\":[";
    bool first = true;
    for (HWND wnd : tops) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(wnd, &pid);
        out += first ? "" : ",";
        first = false;
        out += "{" + WindowFields(wnd) + ",\"image\":" + Str(ImageOf(pid)) + ",\"children\":" + ChildrenOf(wnd) + "}";
    }
    return out + "]}";
}

std::string Processes()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    std::string out = "[";
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        if (out.size() > 1)
            out += ",";
        out += "{\"pid\":" + std::to_string(entry.th32ProcessID) + ",\"name\":" + Str(entry.szExeFile) +
               ",\"image\":" + Str(ImageOf(entry.th32ProcessID)) + "}";
    }
    ::CloseHandle(snapshot);
    return out + "]";
}

std::string Kill(const std::wstring& pid)
{
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, std::stoul(pid));
    if (!process)
        return "false";
    const bool done = ::TerminateProcess(process, 1) && ::WaitForSingleObject(process, 5000) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return Bool(done);
}

std::string Post(const std::wstring& window, const std::wstring& message, const std::wstring& wParam)
{
    const HWND target = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::stoull(window)));
    return Bool(::PostMessageW(target, std::stoul(message), std::stoull(wParam), 0));
}

std::string RegQuery(const std::wstring& path)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "{\"exists\":false}";
    std::string values = "{";
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD nameLength = 512, type = 0, size = 0;
        BYTE data[4096];
        size = sizeof(data);
        if (::RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
            break;
        if (values.size() > 1)
            values += ",";
        std::string shown = "null";
        if (type == REG_DWORD && size == 4)
            shown = std::to_string(*reinterpret_cast<DWORD*>(data));
        else if (type == REG_SZ || type == REG_EXPAND_SZ)
            shown = Str(std::wstring(reinterpret_cast<wchar_t*>(data), size / sizeof(wchar_t)).c_str());
        values += Str(name) + ":{\"type\":" + std::to_string(type) + ",\"data\":" + shown + "}";
    }
    std::string subkeys = "[";
    for (DWORD index = 0;; ++index) {
        wchar_t name[512];
        DWORD nameLength = 512;
        if (::RegEnumKeyExW(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys += (subkeys.size() > 1 ? "," : "") + Str(name);
    }
    ::RegCloseKey(key);
    return "{\"exists\":true,\"values\":" + values + "},\"subkeys\":" + subkeys + "]}";
}

std::string RegCreate(const std::wstring& path)
{
    HKEY key = nullptr;
    const bool done = ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                        nullptr) == ERROR_SUCCESS;
    if (done)
        ::RegCloseKey(key);
    return Bool(done);
}

std::string RegSetDword(const std::wstring& path, const std::wstring& name, const std::wstring& value)
{
    const DWORD data = std::stoul(value);
    return Bool(::RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_DWORD, &data, sizeof(data)) ==
                ERROR_SUCCESS);
}

std::string RegSetText(const std::wstring& path, const std::wstring& name, const std::wstring& value)
{
    return Bool(::RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str(), REG_SZ, value.c_str(),
                                  static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS);
}

std::string RegDeleteValue(const std::wstring& path, const std::wstring& name)
{
    const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, path.c_str(), name.c_str());
    return Bool(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
}

std::string RegDeleteTree(const std::wstring& path)
{
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    const LSTATUS removed = ::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str());
    return Bool(status == ERROR_SUCCESS || removed == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
}

std::string Link(const std::wstring& path)
{
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    std::string out = "null";
    if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                     reinterpret_cast<void**>(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t target[MAX_PATH * 2] = {}, folder[MAX_PATH * 2] = {}, icon[MAX_PATH * 2] = {},
                    arguments[MAX_PATH * 2] = {};
            int iconIndex = -1;
            link->GetPath(target, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
            link->GetWorkingDirectory(folder, MAX_PATH * 2);
            link->GetIconLocation(icon, MAX_PATH * 2, &iconIndex);
            link->GetArguments(arguments, MAX_PATH * 2);
            out = "{\"target\":" + Str(target) + ",\"folder\":" + Str(folder) + ",\"icon\":" + Str(icon) +
                  ",\"iconIndex\":" + std::to_string(iconIndex) + ",\"arguments\":" + Str(arguments) + "}";
        }
        if (file)
            file->Release();
        link->Release();
    }
    return out;
}

std::string Places()
{
    wchar_t desktop[MAX_PATH] = {}, temp[MAX_PATH] = {}, cache[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    ::SHGetSpecialFolderPathW(nullptr, cache, CSIDL_INTERNET_CACHE, FALSE);
    ::GetTempPathW(MAX_PATH, temp);
    return "{\"desktop\":" + Str(desktop) + ",\"temp\":" + Str(temp) + ",\"cache\":" + Str(cache) + "}";
}

std::string Answer(const std::vector<std::wstring>& args)
{
    const std::wstring& command = args[0];
    auto arg = [&](size_t i) { return i < args.size() ? args[i] : std::wstring(); };
    if (command == L"windows")
        return Windows();
    if (command == L"processes")
        return Processes();
    if (command == L"kill")
        return Kill(arg(1));
    if (command == L"post")
        return Post(arg(1), arg(2), arg(3));
    if (command == L"reg-query")
        return RegQuery(arg(1));
    if (command == L"reg-create")
        return RegCreate(arg(1));
    if (command == L"reg-set-dword")
        return RegSetDword(arg(1), arg(2), arg(3));
    if (command == L"reg-set-text")
        return RegSetText(arg(1), arg(2), arg(3));
    if (command == L"reg-delete-value")
        return RegDeleteValue(arg(1), arg(2));
    if (command == L"reg-delete-tree")
        return RegDeleteTree(arg(1));
    if (command == L"link")
        return Link(arg(1));
    if (command == L"places")
        return Places();
    return "{\"error\":" + Str(L"unknown command " + command) + "}";
}

} // namespace

int main()
{
    ::CoInitialize(nullptr);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::string answer;
        try {
            answer = Answer(Split(line));
        } catch (const std::exception&) {
            answer = "{\"error\":\"bad argument\"}";
        }
        std::cout << answer << std::endl;
    }
    ::CoUninitialize();
    return 0;
}
