#include "SkinTestSupport.h"

#include <gdiplus.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/ScopedWin.h"

Dib::Dib(int width, int height, std::uint32_t fill) : m_width(width), m_height(height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    m_dc = ::CreateCompatibleDC(nullptr);
    m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    m_old = ::SelectObject(m_dc, m_bitmap);
    Fill(fill);
}

Dib::~Dib()
{
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

std::uint32_t Dib::At(int x, int y) const
{
    ::GdiFlush();
    return m_bits[static_cast<size_t>(y) * m_width + x];
}

void Dib::Fill(std::uint32_t value)
{
    ::GdiFlush();
    for (size_t i = 0; i < static_cast<size_t>(m_width) * m_height; ++i)
        m_bits[i] = value;
}

bool Dib::SameAs(const Dib& other) const
{
    ::GdiFlush();
    return m_width == other.m_width && m_height == other.m_height &&
           std::memcmp(m_bits, other.m_bits, static_cast<size_t>(m_width) * m_height * 4) == 0;
}

namespace {

// The smallest box around the points for which differs(x, y) holds.
template <typename Differs>
RECT BoxAround(int width, int height, Differs differs)
{
    RECT box{width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!differs(x, y))
                continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box.right > box.left ? box : RECT{};
}

} // namespace

RECT Dib::Changed(std::uint32_t background) const
{
    ::GdiFlush();
    return BoxAround(m_width, m_height, [&](int x, int y) { return Row(y)[x] != background; });
}

RECT Dib::Changed(const Dib& other) const
{
    ::GdiFlush();
    return BoxAround(m_width, m_height, [&](int x, int y) { return Row(y)[x] != other.Row(y)[x]; });
}

int Dib::Count(std::uint32_t value) const
{
    ::GdiFlush();
    int n = 0;
    for (size_t i = 0; i < static_cast<size_t>(m_width) * m_height; ++i)
        n += m_bits[i] == value;
    return n;
}

namespace {

bool PngEncoder(CLSID& clsid)
{
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return false;
    std::vector<BYTE> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok)
        return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") {
            clsid = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

} // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& argb, bool withAlpha)
{
    Gdiplus::Bitmap bitmap(width, height, withAlpha ? PixelFormat32bppARGB : PixelFormat24bppRGB);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            bitmap.SetPixel(x, y, Gdiplus::Color(argb[static_cast<size_t>(y) * width + x]));
    }
    CLSID png{};
    ComPtr<IStream> stream;
    if (!PngEncoder(png) || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
        bitmap.Save(stream.Get(), &png, nullptr) != Gdiplus::Ok)
        return {};
    HGLOBAL memory = nullptr;
    ::GetHGlobalFromStream(stream.Get(), &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    const void* bytes = ::GlobalLock(memory);
    std::string out(static_cast<const char*>(bytes), static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(memory);
    return out;
}

ComPtr<IStream> StreamOf(const std::string& bytes)
{
    ComPtr<IStream> stream;
    ::CreateStreamOnHGlobal(nullptr, TRUE, stream.Put());
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return stream;
}

namespace {

int CALLBACK CollectBlit(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    auto& blits = *reinterpret_cast<std::vector<RecordedBlit>*>(data);
    switch (record->iType) {
    case EMR_ALPHABLEND: {
        const auto* r = reinterpret_cast<const EMRALPHABLEND*>(record);
        blits.push_back({record->iType,
                         {r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest},
                         {r->xSrc, r->ySrc, r->xSrc + r->cxSrc, r->ySrc + r->cySrc},
                         r->dwRop});
        break;
    }
    case EMR_STRETCHBLT: {
        const auto* r = reinterpret_cast<const EMRSTRETCHBLT*>(record);
        blits.push_back({record->iType,
                         {r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest},
                         {r->xSrc, r->ySrc, r->xSrc + r->cxSrc, r->ySrc + r->cySrc},
                         r->dwRop});
        break;
    }
    case EMR_BITBLT: {
        const auto* r = reinterpret_cast<const EMRBITBLT*>(record);
        blits.push_back({record->iType,
                         {r->xDest, r->yDest, r->xDest + r->cxDest, r->yDest + r->cyDest},
                         {r->xSrc, r->ySrc, r->xSrc + r->cxDest, r->ySrc + r->cyDest},
                         r->dwRop});
        break;
    }
    default:
        break;
    }
    return 1;
}

} // namespace

std::vector<RecordedBlit> RecordBlits(const std::function<void(HDC)>& draw)
{
    HDC dc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    draw(dc);
    HENHMETAFILE meta = ::CloseEnhMetaFile(dc);
    std::vector<RecordedBlit> blits;
    ::EnumEnhMetaFile(nullptr, meta, &CollectBlit, &blits, nullptr);
    ::DeleteEnhMetaFile(meta);
    return blits;
}

TestParent::TestParent(int width, int height, bool visible)
{
    const std::wstring cls = RegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW), nullptr, nullptr);
    CreateEx(0, cls.c_str(), L"skin test parent", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, width, height,
             nullptr, nullptr);
}

LRESULT TestParent::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && lParam != 0)
        clicks.push_back({LOWORD(wParam), HIWORD(wParam)});
    return CWnd::WindowProc(msg, wParam, lParam);
}

RECT WindowRectIn(HWND child, HWND parent)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
