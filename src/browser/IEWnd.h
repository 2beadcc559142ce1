// A plain window that owns one browser view and keeps it filling its
// client area: the launcher lays it over its page area as a popup.
#pragma once

#include "browser/IEView.h"

class CIEWnd : public CWnd {
public:
    virtual BOOL Create(HWND parent, DWORD exStyle, DWORD style);

    CIEView m_view;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The control id of a browser view inside its container.
constexpr UINT kBrowserViewId = 131;
