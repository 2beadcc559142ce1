#include "config/ClientConfig.h"

#include <vector>

#include "config/SystemPlaces.h"
#include "platform/Resource.h"
#include "platform/TextUtil.h"
#include "resource.h"

// The process's record: whoever made it (GetInstance, or a test that set
// its own) is the one every caller reaches.
CClientConfig* g_pConfig = nullptr;

CClientConfig::CClientConfig() : m_pPlaces(std::make_unique<SYSTEM_PLACES>()) {}

CClientConfig::~CClientConfig()
{
    SaveUserSettings();
    if (g_pConfig == this)
        g_pConfig = nullptr;
}

CClientConfig* CClientConfig::GetInstance()
{
    if (g_pConfig)
        return g_pConfig;
    return CreateInstance(RealSystemPlaces(), LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
}

CClientConfig* CClientConfig::CreateInstance(const SYSTEM_PLACES& places, std::string_view document)
{
    if (g_pConfig)
        return g_pConfig;
    auto* record = new CClientConfig;
    g_pConfig = record;
    *record->m_pPlaces = places;
    record->LoadDocument(document);
    record->LoadUserSettings();
    record->ReadPluginRegistration();
    record->CreateDesktopLinks();
    record->ApplyBrowserFeatureControl();
    return record;
}

bool CClientConfig::LoadDocument(std::string_view bytes)
{
    m_doc.Clear();
    if (bytes.empty())
        return false;
    // The parser wants zero-terminated text.
    std::vector<char> text(bytes.begin(), bytes.end());
    text.push_back('\0');
    m_doc.Parse(text.data(), nullptr, TIXML_DEFAULT_ENCODING);
    if (m_doc.Error()) {
        m_doc.Clear();
        return false;
    }
    return true;
}

std::wstring CClientConfig::GetAttribute(const char* name) const
{
    const TiXmlElement* root = m_doc.FirstChildElement();
    const TiXmlElement* config = root ? root->FirstChildElement() : nullptr;
    const char* value = config ? config->Attribute(name) : nullptr;
    return value ? AnsiToWide(value) : std::wstring();
}

std::wstring VersionText()
{
    // The process's record; created here only for a caller before start-up.
    const CClientConfig* config = g_pConfig ? g_pConfig : CClientConfig::GetInstance();
    return config->GetUserClientAbout() + L" Ver " + kClientVersion;
}
