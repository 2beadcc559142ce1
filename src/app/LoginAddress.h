// The signed login address that asks the publisher's login service for the
// game address of one server.
#pragma once

#include <cstdint>
#include <string>

// Fills the login template with its four arguments in order: server part
// (text), mode, time stamp (numbers) and signature (text). Conversions are
// taken in order whatever their letter; those past the fourth become empty,
// "%%" is a percent sign. Every "+" of the result becomes "&".
std::wstring FormatLoginAddress(const std::wstring& pattern, const std::wstring& serverId, int mode, int32_t time,
                                const std::wstring& signature);

// The text that is signed: server part, time stamp and key, concatenated.
std::wstring SignatureText(const std::wstring& serverId, int32_t time, const std::wstring& key);

// The current calendar time in seconds, cut to its low 32 bits.
int32_t TimeStamp32();
