#include "browser/UrlActionPolicy.h"

namespace {
constexpr uint32_t kActiveXMin = 0x1200, kActiveXMax = 0x13FF;
constexpr uint32_t kJavaMin = 0x1C00, kJavaMax = 0x1CFF;
constexpr uint32_t kHtmlJavaRun = 0x1605;
constexpr uint32_t kCrossDomainData = 0x1406;
constexpr uint32_t kScriptMin = 0x1400, kScriptMax = 0x15FF;
constexpr uint32_t kAllow = 0;
constexpr uint32_t kDisallow = 3;
} // namespace

std::optional<uint32_t> UrlActionPolicy(uint32_t action)
{
    if (action >= kActiveXMin && action <= kActiveXMax)
        return kAllow;
    if ((action >= kJavaMin && action <= kJavaMax) || action == kHtmlJavaRun)
        return std::nullopt;
    if (action == kCrossDomainData)
        return kDisallow;
    if (action >= kScriptMin && action <= kScriptMax)
        return kAllow;
    return std::nullopt;
}
