// The server part of a program path: the text after the file name's last
// underscore, up to the first "(" or "." (Client_s12.exe -> s12).
#pragma once

#include <string>
#include <string_view>

std::wstring ServerIdFromPath(std::wstring_view path);
