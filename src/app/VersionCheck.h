// Version numbers of the remote version record, compared with the client's
// own: the dots are dropped and the rest read as a decimal number.
#pragma once

#include <cstdint>
#include <string>

int VersionNumber(const std::wstring& text);
// The client's own, 1001 for 1.0.0.1.
int VersionNumber();
bool IsNewerVersion(const std::wstring& text);

// The address of the version record with a time stamp that defeats caches;
// appended even when the address has a query already.
std::wstring RemoteConfigAddress(const std::wstring& configParam, int32_t time);
