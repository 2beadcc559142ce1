#include "skin/SkinText.h"

#include <cwchar>
#include <string>

#include "platform/ScopedWin.h"

namespace {

bool Usable(const std::unique_ptr<Gdiplus::Font>& font) { return font && font->GetLastStatus() == Gdiplus::Ok; }

// Where not even the generic family exists (a Wine prefix with only the
// system's fontconfig fonts), GDI's font mapping still finds a face for
// any name; the text is drawn in that.
std::unique_ptr<Gdiplus::Font> MappedFont(const SKIN_FONT& font)
{
    LOGFONTW logFont{};
    logFont.lfHeight = -font.size; // em height in pixels
    logFont.lfWeight = (font.style & Gdiplus::FontStyleBold) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (font.style & Gdiplus::FontStyleItalic) ? TRUE : FALSE;
    logFont.lfUnderline = (font.style & Gdiplus::FontStyleUnderline) ? TRUE : FALSE;
    logFont.lfStrikeOut = (font.style & Gdiplus::FontStyleStrikeout) ? TRUE : FALSE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfOutPrecision = OUT_TT_ONLY_PRECIS; // GDI+ takes TrueType faces only
    std::wcsncpy(logFont.lfFaceName, font.family.c_str(), LF_FACESIZE - 1);
    ScopedMemoryDc dc(::CreateCompatibleDC(nullptr));
    return std::make_unique<Gdiplus::Font>(dc.get(), &logFont);
}

} // namespace

std::unique_ptr<Gdiplus::Font> CreateSkinFont(const SKIN_FONT& font)
{
    const auto make = [&](const Gdiplus::FontFamily* family) {
        return std::make_unique<Gdiplus::Font>(family, static_cast<Gdiplus::REAL>(font.size), font.style,
                                               Gdiplus::UnitPixel);
    };
    std::unique_ptr<Gdiplus::Font> made;
    Gdiplus::FontFamily family(font.family.c_str());
    if (family.IsAvailable())
        made = make(&family);
    if (!Usable(made)) {
        if (const Gdiplus::FontFamily* sansSerif = Gdiplus::FontFamily::GenericSansSerif())
            made = make(sansSerif);
    }
    if (!Usable(made))
        made = MappedFont(font);
    return made;
}

void DrawSkinText(Gdiplus::Graphics& graphics, std::wstring_view text, COLORREF color, const SKIN_FONT& font,
                  const Gdiplus::RectF& layout)
{
    const auto skinFont = CreateSkinFont(font);
    Gdiplus::SolidBrush brush(SkinColor(color));
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    const std::wstring terminated(text);
    graphics.DrawString(terminated.c_str(), static_cast<INT>(terminated.size()), skinFont.get(), layout, &format,
                        &brush);
}
