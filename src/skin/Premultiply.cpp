#include "skin/Premultiply.h"

void PremultiplyPixels(std::uint8_t* pixels, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i, pixels += 4) {
        const unsigned alpha = pixels[3];
        for (int c = 0; c < 3; ++c)
            pixels[c] = static_cast<std::uint8_t>(pixels[c] * alpha / 255);
    }
}
