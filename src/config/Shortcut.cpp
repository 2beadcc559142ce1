#include "config/Shortcut.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "platform/ComPtr.h"

namespace {

// COM for the calling thread for one call; a thread already in another
// apartment keeps it and is not uninitialised by us.
class ScopedComInit {
public:
    ScopedComInit() : m_hr(::CoInitialize(nullptr)) {}
    ~ScopedComInit()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    ScopedComInit(const ScopedComInit&) = delete;
    ScopedComInit& operator=(const ScopedComInit&) = delete;

private:
    HRESULT m_hr;
};

} // namespace

bool CreateShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& iconPath,
                    const std::wstring& workingFolder)
{
    ScopedComInit com;
    ComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.PutVoid())))
        return false;
    link->SetPath(target.c_str());
    link->SetArguments(L"");
    if (!iconPath.empty())
        link->SetIconLocation(iconPath.c_str(), 0);
    link->SetWorkingDirectory(workingFolder.c_str());
    ComPtr<IPersistFile> file;
    if (FAILED(link.As(file)))
        return false;
    return SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}
