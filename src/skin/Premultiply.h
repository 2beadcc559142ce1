// Alpha premultiplication of 32-bit pixels. Pure logic.
#pragma once

#include <cstddef>
#include <cstdint>

// Pixels are 4 bytes each: blue, green, red, alpha. Each colour byte becomes
// c * alpha / 255, truncated; alpha stays.
void PremultiplyPixels(std::uint8_t* pixels, std::size_t count);
