// The running program's own path, and starting other programs.
#pragma once

#include <string>
#include <string_view>

// The executable's full path (full true) or its folder without a trailing
// backslash (full false). Empty when the path does not fit in MAX_PATH
// (260) characters with its terminator: a cut path would name another file
// or folder.
std::wstring GetModulePath(bool full);

// Starts a process from a command line (the program found the way
// CreateProcess finds it), without inheriting handles and without waiting
// for it. Returns whether it started.
bool RunCommandLine(const std::wstring& commandLine);

// The part of a path before its last backslash, and the part after it.
// A path without a backslash is all file name.
std::wstring FolderOfPath(std::wstring_view path);
std::wstring FileNameOfPath(std::wstring_view path);
