// The document mode the embedded browser engine is told to emulate.
#pragma once

#include <optional>
#include <string>

// The emulation value for an engine major version; no version (unreadable)
// and unknown versions give 9999.
unsigned long BrowserEmulationValue(std::optional<unsigned> majorVersion);

// The major file version (high word of the most significant half) from a
// file's version resource; a bare name is found like a library.
std::optional<unsigned> FileMajorVersion(const std::wstring& file);

// The value for the installed engine, mshtml.dll.
unsigned long GetBrowserEmulationValue();
