#include "skin/ImageEx.h"

#include <cstring>

#include "platform/ComPtr.h"
#include "platform/Resource.h"
#include "platform/ScopedWin.h"
#include "skin/NineGrid.h"
#include "skin/Premultiply.h"

BOOL CImageEx::LoadFromId(int id)
{
    if (LOWORD(id) == 0)
        return FALSE; // MAKEINTRESOURCE(0) is a null name, not an id
    HMODULE module = ResourceModule();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(LOWORD(id)), L"PNG");
    return resource ? LoadFromResource(module, resource) : FALSE;
}

BOOL CImageEx::LoadFromResource(HMODULE module, HRSRC resource)
{
    const DWORD size = ::SizeofResource(module, resource);
    if (size == 0)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes)
        return FALSE;

    ScopedGlobal memory(::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size));
    if (!memory)
        return FALSE;
    void* target = ::GlobalLock(memory.get());
    if (!target)
        return FALSE;
    std::memcpy(target, bytes, size);
    ::GlobalUnlock(memory.get());

    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(memory.get(), TRUE, stream.Put())))
        return FALSE;
    memory.release(); // the stream frees it now
    return LoadFromStream(stream.Get());
}

BOOL CImageEx::LoadFromStream(IStream* stream)
{
    if (FAILED(Load(stream)))
        return FALSE;
    PremultiplyAlpha();
    return TRUE;
}

BOOL CImageEx::PremultiplyAlpha()
{
    DIBSECTION section{};
    if (IsNull() || ::GetObjectW(GetHBITMAP(), sizeof(section), &section) != sizeof(section))
        return FALSE;
    const BITMAP& bm = section.dsBm;
    if (bm.bmBitsPixel != 32 || !bm.bmBits)
        return FALSE;
    auto* rows = static_cast<std::uint8_t*>(bm.bmBits);
    const int height = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    for (int y = 0; y < height; ++y)
        PremultiplyPixels(rows + static_cast<size_t>(y) * bm.bmWidthBytes, static_cast<size_t>(bm.bmWidth));
    return TRUE;
}

void CImageEx::SetNineGrid(const RECT& margins)
{
    m_rcNineGrid = margins;
    m_bNineGrid = TRUE;
}

BOOL CImageEx::Draw(HDC dc, const RECT& dest) const
{
    const int width = dest.right - dest.left;
    const int height = dest.bottom - dest.top;
    if (m_bNineGrid && (width != GetWidth() || height != GetHeight())) {
        return DrawNineGrid(dc, dest.left, dest.top, width, height, m_rcNineGrid.left, m_rcNineGrid.top,
                            m_rcNineGrid.right, m_rcNineGrid.bottom);
    }
    return Draw(dc, dest.left, dest.top, width, height, 0, 0, GetWidth(), GetHeight());
}

BOOL CImageEx::DrawNineGrid(HDC dc, int x, int y, int width, int height, int left, int top, int right,
                            int bottom) const
{
    const SkinBox dest{x, y, x + width, y + height};
    for (const auto& piece : NineGridPieces(dest, {left, top, right, bottom}, GetWidth(), GetHeight())) {
        const SkinBox& d = piece.dest;
        const SkinBox& s = piece.source;
        Draw(dc, d.left, d.top, d.Width(), d.Height(), s.left, s.top, s.Width(), s.Height());
    }
    return TRUE;
}
