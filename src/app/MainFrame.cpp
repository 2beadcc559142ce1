#include "app/MainFrame.h"

#include "config/ClientConfig.h"

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.dwExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
    // A plain class (no style, cursor, brush or icon) under the configured
    // name; with an empty name nothing is registered and creation fails.
    g_pConfig->m_strWindowClass = g_pConfig->GetAttribute("imClass");
    RegisterNamedClass(g_pConfig->m_strWindowClass.c_str(), 0, nullptr, nullptr, nullptr);
    cs.lpszClass = g_pConfig->m_strWindowClass.c_str();
    return TRUE;
}
