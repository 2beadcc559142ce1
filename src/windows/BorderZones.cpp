#include "windows/BorderZones.h"

namespace {
constexpr int kCorner = 10;
constexpr int kLeft = 10, kRight = 11, kTop = 12, kTopLeft = 13, kTopRight = 14, kBottom = 15, kBottomLeft = 16,
              kBottomRight = 17;
constexpr int kScSize = 0xF000;
} // namespace

SizeZone BorderZoneAt(int x, int y, int right, int bottom, int border)
{
    if (x <= kCorner && y <= kCorner)
        return {kTopLeft, SizeCursor::SizeNWSE};
    if (x >= right - kCorner && y <= kCorner)
        return {kTopRight, SizeCursor::SizeNESW};
    if (x <= kCorner && y >= bottom - kCorner)
        return {kBottomLeft, SizeCursor::SizeNESW};
    if (x >= right - kCorner && y >= bottom - kCorner)
        return {kBottomRight, SizeCursor::SizeNWSE};
    if (x <= border)
        return {kLeft, SizeCursor::SizeWE};
    if (x >= right - border)
        return {kRight, SizeCursor::SizeWE};
    if (y <= border)
        return {kTop, SizeCursor::SizeNS};
    if (y >= bottom - border)
        return {kBottom, SizeCursor::SizeNS};
    return {0, SizeCursor::Arrow};
}

SizeCursor CursorForZone(int zone)
{
    switch (zone) {
    case kTopLeft:
    case kBottomRight: return SizeCursor::SizeNWSE;
    case kTopRight:
    case kBottomLeft: return SizeCursor::SizeNESW;
    case kLeft:
    case kRight: return SizeCursor::SizeWE;
    case kTop:
    case kBottom: return SizeCursor::SizeNS;
    default: return SizeCursor::Arrow;
    }
}

int SizeCommandFor(int zone) { return kScSize + (zone - 9); }
