#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/ProgramUnderTest.h"
#include "config/ClientConfig.h"
#include "config/IntegrationSupport.h"
#include "config/SystemPlaces.h"
#include "platform/Resource.h"
#include "resource.h"

namespace {

std::unique_ptr<CClientConfig> FromText(const std::string& text)
{
    auto config = std::make_unique<CClientConfig>();
    config->LoadDocument(text);
    return config;
}

std::unique_ptr<CClientConfig> BuiltIn()
{
    auto config = std::make_unique<CClientConfig>();
    EXPECT_TRUE(config->LoadDocument(LoadResourceBytes(IDR_CONFIG_XML, L"XML")));
    return config;
}

// Every key of the built-in document, in document order, and whether its
// value is meant to be empty.
const struct {
    const char* name;
    bool empty;
} kBuiltInKeys[] = {
    {"userClientAbout", false}, {"skinDir", false}, {"paymentUrl", false}, {"bbsUrl", false},
    {"gwUrl", false}, {"kfUrl", false}, {"userInfoUrl", true}, {"userInfoApi", true},
    {"homeUrl", false}, {"configParam", true}, {"loginCheck", true}, {"gameCheck", false},
    {"runPlugin", true}, {"startUpUrl", true}, {"installUrl", true}, {"imClass", false},
    {"quitTip", false}, {"infoPath", true}, {"pwKey", true}, {"tipClass", true},
    {"cache", false}, {"gwLink", false},
};

TEST(ClientConfig, BuiltInDocumentHasEveryKeyInOrder)
{
    const std::string bytes = LoadResourceBytes(IDR_CONFIG_XML, L"XML");
    ASSERT_NE(bytes.find("encoding=\"gb2312\""), std::string::npos);
    size_t position = 0;
    for (const auto& key : kBuiltInKeys) {
        const size_t at = bytes.find(std::string(" ") + key.name + "=\"", position);
        ASSERT_NE(at, std::string::npos) << key.name << " missing or out of order";
        position = at;
    }
    auto config = BuiltIn();
    for (const auto& key : kBuiltInKeys)
        EXPECT_EQ(config->GetAttribute(key.name).empty(), key.empty) << key.name;
}

TEST(ClientConfig, BuiltInValues)
{
    auto config = BuiltIn();
    EXPECT_EQ(config->GetAttribute("imClass"), L"ZEP_CLASS");
    const std::wstring site = L"http://127.0.0.1:18760/";
    EXPECT_EQ(config->GetGwUrl(), site);
    EXPECT_EQ(config->GetCache(), site);
    EXPECT_EQ(config->GetHomeUrl(), site + L"portal/index.php");
    EXPECT_EQ(config->GetGameCheck(), L"127.0.0.1:18760/portal/index.php?do=entergame");
    for (const std::wstring& url : {config->GetPaymentUrl(), config->GetBbsUrl(), config->GetKfUrl()})
        EXPECT_EQ(url.rfind(site, 0), 0u) << testing::PrintToString(url);
    // The accessors read the keys their names say.
    EXPECT_EQ(config->GetLoginCheck(), L"");
    EXPECT_EQ(config->GetConfigParam(), L"");
    EXPECT_EQ(config->GetRunPlugin(), L"");
    EXPECT_EQ(config->GetUserInfoUrl(), L"");
    EXPECT_EQ(config->GetPwKey(), L"");
}

TEST(ClientConfig, FirstElementChildIsReadWhateverItsName)
{
    auto config = FromText("<?xml version=\"1.0\"?><!-- c --><ROOT>text<OTHER homeUrl=\"http://a/\"/>"
                           "<CONFIG homeUrl=\"http://b/\"/></ROOT>");
    EXPECT_EQ(config->GetHomeUrl(), L"http://a/");
}

TEST(ClientConfig, NamesAreCaseSensitiveAndEmptyEqualsAbsent)
{
    auto config = FromText("<R><CONFIG HomeUrl=\"http://a/\" gwUrl=\"\"/></R>");
    EXPECT_EQ(config->GetHomeUrl(), L"");
    EXPECT_EQ(config->GetAttribute("HomeUrl"), L"http://a/");
    EXPECT_EQ(config->GetGwUrl(), L"");
    EXPECT_EQ(config->GetBbsUrl(), L"");
}

TEST(ClientConfig, MalformedOrMissingDocumentAnswersEmpty)
{
    for (const char* text : {"", "<R><CONFIG homeUrl=\"http://a/\"", "<R><CONFIG homeUrl=\"http://a/\"/></X>",
                             "no xml at all", "<R/>", "<!-- only a comment -->"}) {
        auto config = FromText(text);
        EXPECT_EQ(config->GetHomeUrl(), L"") << text;
        EXPECT_EQ(config->GetAttribute("imClass"), L"") << text;
    }
}

TEST(ClientConfig, ReloadingReplacesTheDocument)
{
    auto config = FromText("<R><C homeUrl=\"http://a/\"/></R>");
    config->LoadDocument("<R><C gwUrl=\"http://b/\"/></R>");
    EXPECT_EQ(config->GetHomeUrl(), L"");
    EXPECT_EQ(config->GetGwUrl(), L"http://b/");
}

TEST(ClientConfig, OneRecordPerProcess)
{
    // Default places: the record touches neither files nor the registry.
    auto first = CreateRecord({}, LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
    ASSERT_TRUE(first);
    EXPECT_EQ(CClientConfig::GetInstance(), first.get());
    EXPECT_EQ(CClientConfig::CreateInstance({}, "<R><C imClass=\"other\"/></R>"), first.get());
    EXPECT_EQ(g_pConfig, first.get());
    EXPECT_EQ(first->GetAttribute("imClass"), L"ZEP_CLASS");
    EXPECT_EQ(VersionText(), first->GetUserClientAbout() + L" Ver 1.0.0.1");
    first.reset();
    EXPECT_EQ(g_pConfig, nullptr);
    auto second = CreateRecord({}, "<R><C imClass=\"other\"/></R>");
    ASSERT_TRUE(second);
    EXPECT_EQ(g_pConfig, second.get());
    EXPECT_EQ(second->GetAttribute("imClass"), L"other");
    second.reset();
    EXPECT_EQ(g_pConfig, nullptr);
}

TEST(ClientConfig, RecordPutInTheGlobalIsTheInstance)
{
    // As tests of other parts set up theirs; no integration step runs.
    auto own = FromText(ConfigDocument({{"userClientAbout", "Own"}}));
    g_pConfig = own.get();
    EXPECT_EQ(CClientConfig::GetInstance(), own.get());
    EXPECT_EQ(VersionText(), L"Own Ver 1.0.0.1");
    own.reset();
    EXPECT_EQ(g_pConfig, nullptr);
}

TEST(ClientConfig, LaterCallsDoNotRunTheIntegrationAgain)
{
    TempFolder folder;
    const std::wstring desktop = folder.File(L"Desktop");
    ASSERT_TRUE(::CreateDirectoryW(desktop.c_str(), nullptr));
    SYSTEM_PLACES places;
    places.strModulePath = folder.File(L"Client.exe");
    places.strDesktopFolder = desktop;
    const std::string document = ConfigDocument({{"userClientAbout", "Fabled Ridge"}, {"noRename", "1"},
                                                 {"noGWLink", "1"}});
    const std::wstring link = desktop + L"\\Fabled Ridge.lnk";

    auto record = CreateRecord(places, document);
    ASSERT_TRUE(record);
    ASSERT_TRUE(ReadShortcut(link).has_value());
    ASSERT_TRUE(::DeleteFileW(link.c_str()));
    EXPECT_EQ(CClientConfig::GetInstance(), record.get());
    EXPECT_EQ(CClientConfig::CreateInstance(places, document), record.get());
    EXPECT_EQ(VersionText(), L"Fabled Ridge Ver 1.0.0.1");
    EXPECT_EQ(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

// GB2312 bytes of the display name and of the quit question in the
// built-in document: read right under code page 936 only.
const std::wstring kDisplayName = L"\u971c\u5cad\u4f20\u8bf4";

TEST(ClientConfigCp936, ChineseValuesReadCorrectly)
{
    ASSERT_EQ(::GetACP(), 936u) << "run with LC_ALL=zh_CN.GB2312";
    auto config = BuiltIn();
    EXPECT_EQ(config->GetUserClientAbout(), kDisplayName);
    EXPECT_EQ(config->GetGwLink(), kDisplayName + L"\u5b98\u7f51");
    EXPECT_EQ(config->GetQuitTip(), L"\u786e\u5b9a\u8981\u9000\u51fa" + kDisplayName + L"\u5417\uff1f");
    auto record = CreateRecord({}, LoadResourceBytes(IDR_CONFIG_XML, L"XML"));
    ASSERT_TRUE(record);
    EXPECT_EQ(VersionText(), kDisplayName + L" Ver 1.0.0.1");
}

TEST(ClientConfigCp1252, ChineseValuesReadAsLatinLetters)
{
    ASSERT_EQ(::GetACP(), 1252u) << "run with LC_ALL=C.UTF-8";
    auto config = BuiltIn();
    const std::wstring name = config->GetUserClientAbout();
    // Each GB2312 byte becomes one character of its own.
    EXPECT_EQ(name.size(), 8u);
    EXPECT_NE(name, kDisplayName);
    EXPECT_EQ(name[0], L'\u00cb'); // 0xCB, the first byte of the first character
}

} // namespace
