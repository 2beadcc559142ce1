// Reading files and folders back in tests.
#pragma once

#include <map>
#include <optional>
#include <string>

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
// The files (not folders) directly in a folder, by name, with their bytes.
std::map<std::wstring, std::string> FolderFiles(const std::wstring& folder);
