// The hidden main frame: owner of the client's windows, found by other
// programs through its window class named by the configuration.
#pragma once

#include <string>

#include "platform/FrameWnd.h"

class CMainFrame : public CFrameWnd {
public:
    std::wstring m_strServerId;
    std::wstring m_strStartUrl;

protected:
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
};
