// A plain-HTTP GET whose answer body, of any status, is the result.
#pragma once

#include <string>

// The body converted from the ANSI code page, or empty: also for addresses
// that are not plain http and for network errors (whatever arrived is kept).
std::wstring HttpGetText(const std::wstring& url);
