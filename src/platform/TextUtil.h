// Text helpers shared by the client's logic. No Windows header here, so the
// parsers that use them also build natively.
#pragma once

#include <string>
#include <string_view>

// 8-bit text <-> UTF-16 with the thread's ANSI code page. Implemented over
// the Win32 conversion functions; invalid bytes become replacement characters.
std::wstring AnsiToWide(std::string_view text);
std::string WideToAnsi(std::wstring_view text);

// Reads a decimal integer the way the C runtime's atoi does: leading white
// space, an optional sign, digits up to the first non-digit; 0 without digits.
// Values beyond the int range saturate.
int ReadDecimal(std::string_view text);
int ReadDecimal(std::wstring_view text);

// Letter case folded for ASCII only, so results do not depend on a locale.
std::wstring AsciiLower(std::wstring_view text);
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
