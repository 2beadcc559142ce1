// The application object: prepares the process, creates the configuration
// record and the hidden main frame, and undoes it all at exit.
#pragma once

#include <windows.h>

#include "platform/WinApp.h"

class CClientConfig;

class CVoraneApp : public CWinApp {
public:
    BOOL InitInstance() override;
    int ExitInstance() override;

    CClientConfig* m_pConfig = nullptr;

private:
    bool m_bOleStarted = false;
    ULONG_PTR m_gdiplusToken = 0;
};
