// A top-level frame window loaded from a frame resource (title string,
// menu and accelerators sharing one id). The application's main frame ends
// the message loop when it is destroyed and deletes itself afterwards.
#pragma once

#include "platform/Wnd.h"

// Frame style bit: the title comes from the frame resource's string.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// The exit command of the application.
constexpr UINT ID_APP_EXIT = 0xE141;

class CFrameWnd : public CWnd {
public:
    BOOL LoadFrame(UINT resourceId, DWORD style, HWND parent = nullptr);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void PostNcDestroy() override;

private:
    HACCEL m_hAccel = nullptr;
};
