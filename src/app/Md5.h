// MD5 digests through the system's crypto provider.
#pragma once

#include <cstddef>
#include <string>

// 32 lowercase hexadecimal characters, first byte first; empty when the
// digest cannot be computed.
std::wstring Md5Hex(const void* bytes, size_t length);
