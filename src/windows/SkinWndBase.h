// What the two kinds of skinned top-level window share: the window built
// from one skin element (images, named areas, texts and skinned buttons),
// the button tooltips, sizing with re-anchored buttons, and the dispatch
// of button clicks by name. Each kind numbers its buttons with a counter
// of its own and paints in its own way.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Wnd.h"
#include "skin/SkinButton.h"
#include "skin/SkinRecords.h"

class CSkinWndBase : public CWnd {
public:
    // First command id of the buttons of a window family.
    static constexpr int kFirstButtonId = 10000;
    static constexpr int kLastButtonId = 19999;

    explicit CSkinWndBase(std::wstring skinName);
    ~CSkinWndBase() override;

    // Creates the window with a class of its own (double clicks, arrow
    // cursor, window-colour brush), no title, at (0, 0) with size 0 x 0; the
    // skin gives size and place while the window is created.
    virtual BOOL Create(HWND parent, DWORD exStyle, DWORD style);
    // Shows and activates (restoring when minimised), or hides.
    virtual void ShowWnd(BOOL show);
    // Builds the window from its skin element: size, centred place, images,
    // areas, buttons and texts.
    virtual void ApplySkin();
    // A click on a button, given a copy of its record.
    virtual void OnSkinButton(const SKIN_BTN& button) = 0;
    virtual void DrawSkinText(Gdiplus::Graphics& graphics, const std::wstring& text, COLORREF color,
                              const SKIN_FONT& font, const Gdiplus::RectF& layout);
    // What a close request does.
    virtual void OnCloseCommand() = 0;

    // The first button whose name matches, letter case ignored.
    BOOL FindButton(const std::wstring& name, CSkinButton** button) const;
    BOOL FindRect(const std::wstring& name, SKIN_RECT& rect) const;

    BOOL PreTranslateMessage(MSG* msg) override;

    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_bMinimized = 0;
    int m_bCenter = 1;
    SKIN_WND m_skinWnd;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The class-wide counter that numbers this family's buttons.
    virtual int& NextButtonId() = 0;
    // The window text set by ApplySkin.
    virtual std::wstring WindowText() const { return m_skinWnd.title; }

    // Creation steps shared by both kinds.
    void SetSkinIcons();
    void CreateTooltip();
    // Posts BM_CLICK to the "close" button, so closing behaves like it.
    void ClickCloseButton();
    void DrawTexts(Gdiplus::Graphics& graphics, const RECT& client);
    void OnSize(int width, int height);
    void OnButtonCommand(WPARAM wParam);
    static RECT WorkArea();
    // Maximised size and place, and the largest tracking size: the work area.
    static void LimitToWorkArea(MINMAXINFO& info);
    static RECT NormalisedClientRect(HWND wnd);

    std::wstring m_strSkinName;
    std::vector<SKIN_IMG> m_imgs;
    std::vector<SKIN_RECT> m_rects;
    std::vector<SKIN_TEXT> m_texts;
    std::vector<std::unique_ptr<CSkinButton>> m_buttons;
    HWND m_hTip = nullptr; // owned popup, destroyed with the window
    HICON m_hIcon = nullptr;
};
