// The configuration record: the built-in configuration document, the user
// settings and the values the start-up integration found. One per process.
#pragma once

#include <string>
#include <string_view>

#include "tinyxml.h"

// The client's own version; equals the version resource.
inline constexpr wchar_t kClientVersion[] = L"1.0.0.1";

class CClientConfig {
public:
    CClientConfig();
    ~CClientConfig();
    CClientConfig(const CClientConfig&) = delete;
    CClientConfig& operator=(const CClientConfig&) = delete;

    // The process's record, created on first use from the built-in document.
    static CClientConfig* GetInstance();

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

    int m_nHotKey = 0;
    int m_nUseHotKey = 0;
    int m_nAlwaysTop = 0;
    std::wstring m_strPluginPath;
    std::wstring m_strWindowClass;
    std::wstring m_strRegKey;

private:
    TiXmlDocument m_doc;
};

extern CClientConfig* g_pConfig;

// "<display name> Ver 1.0.0.1".
std::wstring VersionText();
