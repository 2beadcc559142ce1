#include "skin/SkinLayout.h"

#include "skin/SkinValues.h"

void AnchorPoint(POINT& pt, std::wstring_view align, const RECT& parent, const RECT& size)
{
    int x = pt.x, y = pt.y;
    AnchorPoint(x, y, align, ToSkinBox(parent), ToSkinBox(size));
    pt.x = x;
    pt.y = y;
}
