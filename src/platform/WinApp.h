// The application object: start-up and shut-down hooks around the message
// loop, and the pre-translate chain through which windows see messages
// before they are dispatched (tooltips, keyboard shortcuts).
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    static CWinApp* GetApp() { return s_pApp; }

    virtual BOOL InitInstance() { return TRUE; }
    // Returns the process's exit code.
    virtual int ExitInstance() { return m_nExitCode; }

    // Runs the message loop until WM_QUIT, then ExitInstance.
    int Run();

    // Offers a message to the windows from its target up through the
    // parents, then to the main window; TRUE when one consumed it.
    BOOL PreTranslateMessage(MSG* msg);

    CWnd* m_pMainWnd = nullptr;

protected:
    int m_nExitCode = 0;

private:
    static CWinApp* s_pApp;
};

// The usual program body: InitInstance, then the loop or ExitInstance.
int RunApplication(CWinApp& app);
