// The button of the skinned windows: a real "Button" child that takes the
// mouse and reports clicks to its parent as WM_COMMAND / BN_CLICKED, but
// never paints itself. The parent composes its picture off-screen and asks
// each visible button to Draw itself there.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <string>

#include "platform/Wnd.h"
#include "skin/ImageEx.h"
#include "skin/SkinRecords.h"

class CSkinButton : public CWnd {
public:
    // Period of the blink timer (id kBlinkTimer) in milliseconds.
    static constexpr UINT_PTR kBlinkTimer = 1;
    static constexpr UINT kBlinkPeriod = 500;

    CSkinButton();
    ~CSkinButton() override;

    // Creates the owner-drawn child with an empty rectangle; check is
    // taken from the record by SetSkin instead.
    virtual BOOL Create(HWND parent, UINT id, int check);
    BOOL Create(CWnd* parent, UINT id, int check)
    {
        return Create(parent ? parent->GetSafeHwnd() : nullptr, id, check);
    }

    // Loads the state images (stand, stand + 1, stand + 2), icon and badge,
    // places the button with its left or top edge at the record's offset
    // from the anchored edge of the parent, shows it, and registers its tip
    // with tooltip (which the window relays mouse messages to). The tag is
    // not used. Always TRUE.
    virtual BOOL SetSkin(const std::wstring& tag, const SKIN_BTN& skin, HWND tooltip);
    // Draws the button into the parent's composed bitmap, in the parent's
    // client coordinates. Draws nothing without a current image.
    virtual void Draw(HDC dc);
    // Picks the current image for hover and press and sizes the window to it.
    virtual void UpdateState();

    // Replaces the state images; the window takes the normal image's size
    // (the hover image's when the normal one is missing, else 50 x 20).
    // FALSE, with no images at all, when a is 0.
    BOOL SetImages(int a, int b, int c);
    // SetImages(id, id + 1, id + 2) and repaints the parent under the button.
    void SetStand(int id);

    // Moves the button to its anchored place in the parent's client
    // rectangle: the offset is measured to the button's far edges here.
    void Reposition(const RECT& client);
    void SetTitle(const std::wstring& title);
    // While on, each timer tick swaps between the normal image set and the
    // record's blinkStand set (0: nothing drawn for that half-period). Off,
    // or a click, restores the normal set.
    void SetBlink(BOOL on);
    BOOL IsBlinking() const { return m_bBlinking; }
    void SetHandCursor(BOOL hand) { m_bHandCursor = hand; }

    const SKIN_BTN& GetSkin() const { return m_skin; }
    int GetControlId() const { return ::GetDlgCtrlID(m_hWnd); }
    BOOL IsChecked() const { return m_bChecked; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void PreSubclassWindow() override;

private:
    RECT RectInParent() const;
    void InvalidateParent(const RECT& area) const;
    void OnMouseMove();
    void OnLButtonUp(LPARAM lParam);
    void OnBlinkTick();
    std::unique_ptr<Gdiplus::Font> TitleFont() const;
    // Icon and title for the record's style inside box (the drawn image's
    // rectangle); title is the title's layout box before the style moves it.
    void DrawIconAndTitle(HDC dc, const RECT& box, Gdiplus::RectF title, const Gdiplus::Font* font,
                          const Gdiplus::Brush& brush) const;
    void DrawTitle(HDC dc, const Gdiplus::RectF& layout, const Gdiplus::Font* font,
                   const Gdiplus::Brush& brush) const;

    SKIN_BTN m_skin;
    std::unique_ptr<CImageEx> m_images[3]; // normal, hover, pressed
    CImageEx* m_pCurrent = nullptr; // one of m_images, or none
    std::unique_ptr<CImageEx> m_icon;
    std::unique_ptr<CImageEx> m_badge;
    std::unique_ptr<Gdiplus::StringFormat> m_format; // of the title
    BOOL m_bHover = FALSE;
    BOOL m_bPressed = FALSE;
    BOOL m_bChecked = FALSE;
    BOOL m_bTracking = FALSE;
    BOOL m_bHandCursor = FALSE;
    BOOL m_bBlinking = FALSE;
    BOOL m_bBlinkAlternate = FALSE; // the blinkStand set is showing
};
