// The launcher: a layered skinned window with the portal's page in a
// borderless popup kept over its "ie" area, link buttons that open the
// publisher's pages, and a close that asks before the client quits.
#pragma once

#include <memory>

#include "browser/IEWnd.h"
#include "browser/ShellLinks.h"
#include "windows/SkinWnd.h"

class CHtmlWnd : public CSkinWnd, public ILauncherWindow {
public:
    explicit CHtmlWnd(std::wstring skinName);
    ~CHtmlWnd() override;

    void ShowWnd(BOOL show) override;
    void ApplySkin() override;
    void OnSkinButton(const SKIN_BTN& button) override;
    void OnCloseCommand() override {}

    // Asks the configured question; on OK hides and ends the program.
    void ConfirmQuit() override;
    // Shows the images named "choose" (the login has passed).
    void ShowChoose() override;

    std::unique_ptr<CIEWnd> m_pIEWnd;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    enum class Placement { Resize, Move };
    void PlacePopup(Placement placement);
};
