#include "app/VoraneApp.h"

#include <commctrl.h>
#include <gdiplus.h>
#include <ole2.h>
#include <shellapi.h>

#include "app/MainFrame.h"
#include "app/ServerId.h"
#include "config/ClientConfig.h"
#include "platform/MessageBox.h"
#include "platform/Resource.h"
#include "resource.h"

namespace {

struct CommandLine {
    std::wstring serverId;
    std::wstring startUrl;
};

CommandLine ReadCommandLine()
{
    CommandLine result;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv)
        return result;
    if (argc >= 1)
        result.serverId = ServerIdFromPath(argv[0]);
    if (argc >= 2)
        result.startUrl = argv[1];
    ::LocalFree(argv);
    return result;
}

// The shell that lacks the call (before Windows 7) simply does not group.
void SetAppUserModelId(const std::wstring& displayName)
{
    using SetIdFn = HRESULT(WINAPI*)(PCWSTR);
    HMODULE shell = ::GetModuleHandleW(L"shell32.dll");
    auto setId = shell ? reinterpret_cast<SetIdFn>(
                             reinterpret_cast<void*>(::GetProcAddress(shell, "SetCurrentProcessExplicitAppUserModelID")))
                       : nullptr;
    if (setId) {
        const std::wstring id = L"Brimlok." + displayName + L".1";
        setId(id.c_str());
    }
}

constexpr DWORD kMainFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

} // namespace

BOOL CVoraneApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    if (FAILED(::OleInitialize(nullptr))) {
        const std::wstring text = LoadResourceString(IDS_OLE_INIT_FAILED);
        ShowMessageBox(nullptr, text.c_str(), nullptr, MB_OK);
        m_nExitCode = 1;
        return FALSE;
    }
    m_bOleStarted = true;

    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&m_gdiplusToken, &gdiplusInput, nullptr);

    const CommandLine commandLine = ReadCommandLine();

    m_pConfig = CClientConfig::GetInstance();
    g_pConfig = m_pConfig;

    SetAppUserModelId(m_pConfig->GetUserClientAbout());

    auto* frame = new CMainFrame;
    frame->m_strServerId = commandLine.serverId;
    frame->m_strStartUrl = commandLine.startUrl;
    m_pMainWnd = frame;
    if (!frame->LoadFrame(IDR_MAINFRAME, kMainFrameStyle)) {
        // Without its window the client could never be reached or ended. The
        // frame object deleted itself with its failed window.
        m_pMainWnd = nullptr;
        m_nExitCode = 1;
        return FALSE;
    }
    return TRUE;
}

int CVoraneApp::ExitInstance()
{
    if (m_bOleStarted)
        ::OleUninitialize();
    delete m_pConfig;
    m_pConfig = nullptr;
    if (m_gdiplusToken)
        Gdiplus::GdiplusShutdown(m_gdiplusToken);
    m_gdiplusToken = 0;
    return CWinApp::ExitInstance();
}
