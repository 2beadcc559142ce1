// The frame's client view: an empty child window that paints nothing.
#pragma once

#include "platform/Wnd.h"

class CChildView : public CWnd {
public:
    BOOL Create(HWND parent, UINT id);

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The id of a frame's first pane.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
