// A borderless skinned window painted the ordinary way, double-buffered, so
// that child windows such as a browser show normally: background colour,
// images stretching with the window (nine-grids where they have margins),
// an optional title bar with logo and caption, dragging by the title bar,
// and the skin's design size as its smallest size.
#pragma once

#include "windows/SkinWndBase.h"

class CSkinWnd2 : public CSkinWndBase {
public:
    explicit CSkinWnd2(std::wstring skinName);
    ~CSkinWnd2() override;

    void OnSkinButton(const SKIN_BTN& button) override {}
    // Clicks the "close" button when there is one.
    void OnCloseCommand() override;

    int m_bMovable = 1;

    static int m_nNextButtonId;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    int& NextButtonId() override { return m_nNextButtonId; }
    std::wstring WindowText() const override;

    // Draws the whole picture into dc, for a client area of that size.
    void Compose(HDC dc, const RECT& client);

private:
    int OnCreate(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    void DrawImages(HDC dc, const RECT& client);
    void DrawTitleBar(Gdiplus::Graphics& graphics);
};
