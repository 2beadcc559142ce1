// The skin document: the XML skin built into the program (resource 401),
// parsed once, and the look-ups through which the windows get their records.
// Every look-up walks the document again and returns fresh copies. Window
// tags and element and attribute names match exactly; skin names (fonts,
// the logo) without regard to letter case. User-interface thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinRecords.h"
#include "tinyxml.h"

class CSkinManager {
public:
    CSkinManager() = default;
    // Clears the process's instance and g_pSkin when they point here, so
    // that deleting the instance resets the skin.
    ~CSkinManager();
    CSkinManager(const CSkinManager&) = delete;
    CSkinManager& operator=(const CSkinManager&) = delete;

    // The process's skin, created and loaded from the resource on first use.
    static CSkinManager* GetInstance();

    // Parses resource 401 (type "XML"). False when it is missing, empty or
    // does not parse; the document is then empty.
    bool LoadSkin();
    // Parses a skin document given as its bytes: line ends normalised to
    // LF, encoding detected from the declaration (anything but UTF-8 stays
    // 8-bit text, read with the thread's ANSI code page).
    bool LoadSkinText(std::string_view bytes);

    // Fills info from the window element whose tag is info.name: width,
    // height, border and both colours are reset first; logo and
    // titleHeight keep the caller's values unless the document has them;
    // title and font are left alone when the element is missing.
    BOOL GetWndInfo(SKIN_WND& info) const;
    // One record per IMG of the window whose PNG loads; a PNG that does not
    // load is reported with the "Load Img Fail : %d" message and left out.
    BOOL GetImgList(const std::wstring& tag, std::vector<SKIN_IMG>& images) const;
    BOOL GetRectList(const std::wstring& tag, std::vector<SKIN_RECT>& rects) const;
    BOOL GetBtnList(const std::wstring& tag, std::vector<SKIN_BTN>& buttons) const;
    BOOL GetTextList(const std::wstring& tag, std::vector<SKIN_TEXT>& texts) const;
    // Fills font from the first FONT named font.name; size and style only
    // when the element has them. FALSE, font untouched, when none matches.
    BOOL GetFont(SKIN_FONT& font) const;
    // The stand text of the last root IMG named "logo"; remembered once it
    // is non-empty.
    std::wstring GetLogo();

private:
    const TiXmlElement* Root() const;
    const TiXmlElement* Window(std::wstring_view tag) const;

    TiXmlDocument m_doc;
    std::wstring m_strLogo;
};

// The skin of the running client, set by the main frame.
extern CSkinManager* g_pSkin;
