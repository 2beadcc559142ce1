// Opens an address in the user's default browser; the result is ignored.
#pragma once

#include <string>

void OpenUrlInBrowser(const std::wstring& url);
