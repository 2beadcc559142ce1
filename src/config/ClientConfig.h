// The configuration record: the built-in configuration document, the user
// settings and the values the start-up integration found. One per process.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "tinyxml.h"

// The client's own version; equals the version resource.
inline constexpr wchar_t kClientVersion[] = L"1.0.0.1";

struct SYSTEM_PLACES;

class CClientConfig {
public:
    CClientConfig();
    ~CClientConfig();
    CClientConfig(const CClientConfig&) = delete;
    CClientConfig& operator=(const CClientConfig&) = delete;

    // The process's record (g_pConfig), created on first use from the
    // built-in document and the real places (CreateInstance).
    static CClientConfig* GetInstance();
    // Creates the process's record unless there is one, and returns it:
    // loads the document, then loads the user settings, reads the plug-in
    // registration, renames the program and makes the desktop shortcuts,
    // and writes the browser feature control, all in the places given.
    // Tests hand in their own; a default SYSTEM_PLACES touches nothing.
    // A record a test made itself and put in g_pConfig counts as the
    // process's record too.
    static CClientConfig* CreateInstance(const SYSTEM_PLACES& places, std::string_view document);

    // Parses a configuration document (8-bit text, encoding from its
    // declaration). Returns false when it does not parse; the document is
    // then empty.
    bool LoadDocument(std::string_view bytes);

    // The value of an attribute of the root's first element child; empty
    // when absent. The name is matched exactly.
    std::wstring GetAttribute(const char* name) const;

    std::wstring GetUserClientAbout() const { return GetAttribute("userClientAbout"); }
    std::wstring GetHomeUrl() const { return GetAttribute("homeUrl"); }
    std::wstring GetGwUrl() const { return GetAttribute("gwUrl"); }
    std::wstring GetBbsUrl() const { return GetAttribute("bbsUrl"); }
    std::wstring GetPaymentUrl() const { return GetAttribute("paymentUrl"); }
    std::wstring GetKfUrl() const { return GetAttribute("kfUrl"); }
    std::wstring GetGameCheck() const { return GetAttribute("gameCheck"); }
    std::wstring GetLoginCheck() const { return GetAttribute("loginCheck"); }
    std::wstring GetConfigParam() const { return GetAttribute("configParam"); }
    std::wstring GetRunPlugin() const { return GetAttribute("runPlugin"); }
    std::wstring GetQuitTip() const { return GetAttribute("quitTip"); }
    std::wstring GetCache() const { return GetAttribute("cache"); }
    std::wstring GetGwLink() const { return GetAttribute("gwLink"); }
    std::wstring GetUserInfoUrl() const { return GetAttribute("userInfoUrl"); }
    std::wstring GetPwKey() const { return GetAttribute("pwKey"); }

    // The three user settings under HKCU\SOFTWARE\Brimlok\<display name>:
    // read (missing or unreadable ones seeded with the field's value) and
    // written back as decimal text.
    void LoadUserSettings();
    void SaveUserSettings();
    // Writes one REG_SZ value under the settings key; false when the key
    // cannot be opened or created, or text is null.
    bool WriteSetting(const wchar_t* name, const wchar_t* text);

    // Fills m_strPluginPath from the plug-in's class registration.
    void ReadPluginRegistration();
    // Gives the program file the display name (keeping the old name as a
    // copy) and puts the client and website shortcuts on the desktop.
    void CreateDesktopLinks();
    // Sets the browser engine's per-program feature values where the user
    // has the feature keys.
    void ApplyBrowserFeatureControl();
    // Starts the configured plug-in installer when the plug-in's server is
    // not registered or its file is missing; returns whether it started.
    bool CheckBrowserPlugin();

    int m_nHotKey = 0;
    int m_nUseHotKey = 0;
    int m_nAlwaysTop = 0;
    std::wstring m_strPluginPath;
    std::wstring m_strWindowClass;
    std::wstring m_strRegKey;

private:
    TiXmlDocument m_doc;
    std::unique_ptr<SYSTEM_PLACES> m_pPlaces;
};

extern CClientConfig* g_pConfig;

// "<display name> Ver 1.0.0.1".
std::wstring VersionText();
