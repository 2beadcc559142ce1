// Shell shortcut (.lnk) files.
#pragma once

#include <string>

// Saves a shortcut at linkPath to target with no arguments, the icon at
// index 0 of iconPath (none when empty) and the given working folder.
// Returns whether the file was saved.
bool CreateShortcut(const std::wstring& linkPath, const std::wstring& target, const std::wstring& iconPath,
                    const std::wstring& workingFolder);
