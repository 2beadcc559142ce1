// The resizing zones of the game window's own surface: 10-pixel corners and
// edges as wide as the skin's border. Pure logic.
#pragma once

enum class SizeCursor { Arrow, SizeNWSE, SizeNESW, SizeWE, SizeNS };

struct SizeZone {
    int zone;          // hit-test code: 0, or HTLEFT (10) to HTBOTTOMRIGHT (17)
    SizeCursor cursor;
};

// For a point of a client area right x bottom pixels large.
SizeZone BorderZoneAt(int x, int y, int right, int bottom, int border);

SizeCursor CursorForZone(int zone);

// The system command that starts sizing from a zone: SC_SIZE + (zone - 9).
int SizeCommandFor(int zone);
