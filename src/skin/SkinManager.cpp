#include "skin/SkinManager.h"

#include <cwchar>
#include <memory>

#include "platform/MessageBox.h"
#include "platform/Resource.h"
#include "platform/TextUtil.h"
#include "resource.h"
#include "skin/ImageEx.h"
#include "skin/SkinValues.h"

CSkinManager* g_pSkin = nullptr;

namespace {

CSkinManager* s_pInstance = nullptr;

// CR LF and lone CR become LF. Safe on GB2312 bytes: no trail byte is a CR.
std::string NormalizeLineEnds(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            text.push_back(bytes[i]);
            continue;
        }
        text.push_back('\n');
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
    }
    return text;
}

std::wstring ReadText(const TiXmlElement& element, const char* name)
{
    const char* value = element.Attribute(name);
    return value ? AnsiToWide(value) : std::wstring();
}

// An integer keeps its default unless the attribute begins with a number.
void ReadInt(const TiXmlElement& element, const char* name, int& field)
{
    if (const char* value = element.Attribute(name)) {
        if (const auto number = ParseInteger(value))
            field = *number;
    }
}

void ReadColor(const TiXmlElement& element, const char* name, COLORREF& field)
{
    const char* value = element.Attribute(name);
    if (value && *value)
        field = ParseColor(AnsiToWide(value));
}

std::wstring ReadAlign(const TiXmlElement& element)
{
    std::wstring align = ReadText(element, "align");
    return align.empty() ? std::wstring(L"TopLeft") : align;
}

// {left, top, left + width, top + height} from the element's four numbers.
RECT ReadPlacedRect(const TiXmlElement& element)
{
    int left = 0, top = 0, width = 0, height = 0;
    ReadInt(element, "left", left);
    ReadInt(element, "top", top);
    ReadInt(element, "width", width);
    ReadInt(element, "height", height);
    return {left, top, left + width, top + height};
}

template <typename Visit>
void ForEachChild(const TiXmlElement* parent, const char* tag, Visit visit)
{
    if (!parent)
        return;
    for (const TiXmlElement* e = parent->FirstChildElement(tag); e; e = e->NextSiblingElement(tag))
        visit(*e);
}

void ReportImageFailure(int stand)
{
    wchar_t text[64];
    std::swprintf(text, 64, L"Load Img Fail : %d", stand);
    ShowMessageBox(nullptr, text, nullptr, MB_OK);
}

} // namespace

CSkinManager::~CSkinManager()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
    if (g_pSkin == this)
        g_pSkin = nullptr;
}

CSkinManager* CSkinManager::GetInstance()
{
    if (!s_pInstance) {
        s_pInstance = new CSkinManager;
        s_pInstance->LoadSkin();
    }
    return s_pInstance;
}

bool CSkinManager::LoadSkin() { return LoadSkinText(LoadResourceBytes(IDR_SKIN_XML, L"XML")); }

bool CSkinManager::LoadSkinText(std::string_view bytes)
{
    m_doc.Clear();
    m_strLogo.clear();
    if (bytes.empty())
        return false;
    const std::string text = NormalizeLineEnds(bytes);
    m_doc.Parse(text.c_str(), nullptr, TIXML_ENCODING_UNKNOWN);
    if (m_doc.Error()) {
        // A half-read tree must not reach the windows: they get defaults.
        m_doc.Clear();
        return false;
    }
    return true;
}

const TiXmlElement* CSkinManager::Root() const { return m_doc.FirstChildElement(); }

const TiXmlElement* CSkinManager::Window(std::wstring_view tag) const
{
    const TiXmlElement* root = Root();
    const std::string name = WideToAnsi(tag);
    return root && !name.empty() ? root->FirstChildElement(name.c_str()) : nullptr;
}

BOOL CSkinManager::GetWndInfo(SKIN_WND& info) const
{
    info.width = 0;
    info.height = 0;
    info.border = 1;
    info.color = kSkinWhite;
    info.bgcolor = kSkinWhite;
    const TiXmlElement* wnd = Window(info.name);
    if (!wnd)
        return TRUE;
    ReadInt(*wnd, "logo", info.logo);
    info.title = ReadText(*wnd, "title");
    ReadInt(*wnd, "titleHeight", info.titleHeight);
    ReadInt(*wnd, "width", info.width);
    ReadInt(*wnd, "height", info.height);
    ReadInt(*wnd, "border", info.border);
    info.font = ReadText(*wnd, "font");
    ReadColor(*wnd, "bgcolor", info.bgcolor);
    ReadColor(*wnd, "color", info.color);
    return TRUE;
}

BOOL CSkinManager::GetImgList(const std::wstring& tag, std::vector<SKIN_IMG>& images) const
{
    images.clear();
    ForEachChild(Window(tag), "IMG", [&](const TiXmlElement& e) {
        SKIN_IMG img;
        img.name = ReadText(e, "name");
        ReadInt(e, "left", img.left);
        ReadInt(e, "top", img.top);
        int width = 0, height = 0;
        ReadInt(e, "width", width);
        ReadInt(e, "height", height);
        img.rect = {0, 0, width, height};
        img.align = ReadAlign(e);
        ReadInt(e, "stand", img.stand);
        ReadInt(e, "strech", img.strech);
        img.visible = TRUE;

        auto image = std::make_shared<CImageEx>();
        if (!image->LoadFromId(img.stand)) {
            ReportImageFailure(img.stand);
            return;
        }
        const char* grid = e.Attribute("rect");
        if (grid && *grid) {
            const SkinBox margins = ParseRect(AnsiToWide(grid));
            if (margins.left || margins.top || margins.right || margins.bottom)
                image->SetNineGrid({margins.left, margins.top, margins.right, margins.bottom});
        }
        img.image = std::move(image);
        images.push_back(std::move(img));
    });
    return TRUE;
}

BOOL CSkinManager::GetRectList(const std::wstring& tag, std::vector<SKIN_RECT>& rects) const
{
    rects.clear();
    ForEachChild(Window(tag), "RECT", [&](const TiXmlElement& e) {
        SKIN_RECT rect;
        rect.name = ReadText(e, "name");
        rect.rect = ReadPlacedRect(e);
        ReadInt(e, "strech", rect.strech);
        rects.push_back(std::move(rect));
    });
    return TRUE;
}

BOOL CSkinManager::GetBtnList(const std::wstring& tag, std::vector<SKIN_BTN>& buttons) const
{
    // Above any colour: no hot colour given.
    constexpr COLORREF kNoHotColor = 0x1000000;
    buttons.clear();
    ForEachChild(Window(tag), "BTN", [&](const TiXmlElement& e) {
        SKIN_BTN btn;
        btn.hotcolor = kNoHotColor;
        btn.name = ReadText(e, "name");
        ReadInt(e, "check", btn.check);
        ReadInt(e, "style", btn.style);
        ReadInt(e, "stand", btn.stand);
        ReadInt(e, "left", btn.left);
        ReadInt(e, "top", btn.top);
        btn.title = ReadText(e, "title");
        btn.tip = ReadText(e, "tip");
        ReadInt(e, "icon", btn.icon);
        ReadInt(e, "icon1", btn.icon1);
        ReadColor(e, "color", btn.color);
        ReadColor(e, "hotcolor", btn.hotcolor);
        if (btn.hotcolor > kSkinWhite)
            btn.hotcolor = btn.color;
        btn.align = ReadAlign(e);
        btn.font = ReadText(e, "font");
        buttons.push_back(std::move(btn));
    });
    return TRUE;
}

BOOL CSkinManager::GetTextList(const std::wstring& tag, std::vector<SKIN_TEXT>& texts) const
{
    texts.clear();
    ForEachChild(Window(tag), "TEXT", [&](const TiXmlElement& e) {
        SKIN_TEXT text;
        text.name = ReadText(e, "name");
        text.rect = ReadPlacedRect(e);
        text.title = ReadText(e, "title");
        ReadColor(e, "color", text.color);
        text.align = ReadAlign(e);
        text.font = ReadText(e, "font");
        texts.push_back(std::move(text));
    });
    return TRUE;
}

BOOL CSkinManager::GetFont(SKIN_FONT& font) const
{
    for (const TiXmlElement* e = Root() ? Root()->FirstChildElement("FONT") : nullptr; e;
         e = e->NextSiblingElement("FONT")) {
        if (!EqualsNoCase(ReadText(*e, "name"), font.name))
            continue;
        ReadInt(*e, "size", font.size);
        font.family = ReadText(*e, "family");
        ReadInt(*e, "style", font.style);
        return TRUE;
    }
    return FALSE;
}

std::wstring CSkinManager::GetLogo()
{
    if (m_strLogo.empty()) {
        ForEachChild(Root(), "IMG", [&](const TiXmlElement& e) {
            if (EqualsNoCase(ReadText(e, "name"), L"logo"))
                m_strLogo = ReadText(e, "stand");
        });
    }
    return m_strLogo;
}
