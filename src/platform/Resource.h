// Access to the program's own resources.
#pragma once

#include <windows.h>
#include <string>

// The bytes of a resource of the running program, or empty when it is
// missing, empty or cannot be locked. The id's low 16 bits name it.
std::string LoadResourceBytes(UINT id, const wchar_t* type);

// The module that holds the program's resources (the executable).
HMODULE ResourceModule();

std::wstring LoadResourceString(UINT id);
