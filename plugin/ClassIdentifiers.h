#pragma once

#include "plugin/PluginIdentity.h"

#include <array>
#include <cstdint>
#include <string>

// The VST3 class identifiers, derived from the VST2 unique ID so that a host can tell
// that the VST3 build replaces the VST2 one. Header-only: the module checks use it too.
namespace Tessaro9V::classIds
{
using ClassId = std::array<uint8_t, 16>;

// 'V' 'S' then 'T' (component) or 'E' (controller), the unique ID big-endian, then the
// first nine bytes of the plug-in name (zero past its end), upper case turned to lower.
constexpr ClassId derive (uint32_t vst2UniqueId, const char* pluginName, bool controller) noexcept
{
    ClassId id{};
    id[0] = 'V';
    id[1] = 'S';
    id[2] = controller ? 'E' : 'T';
    for (int i = 0; i < 4; ++i)
        id[static_cast<size_t> (3 + i)] = static_cast<uint8_t> (vst2UniqueId >> (24 - 8 * i));

    bool pastEnd = false;
    for (size_t i = 0; i < 9; ++i)
    {
        pastEnd = pastEnd || pluginName[i] == 0;
        auto c = pastEnd ? uint8_t{ 0 } : static_cast<uint8_t> (pluginName[i]);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<uint8_t> (c + ('a' - 'A'));
        id[7 + i] = c;
    }
    return id;
}

inline constexpr ClassId component =
    derive (static_cast<uint32_t> (identity::vst2UniqueId), identity::productName, false);
inline constexpr ClassId controller =
    derive (static_cast<uint32_t> (identity::vst2UniqueId), identity::productName, true);

// Thirty-two upper-case hexadecimal digits, first byte first.
inline std::string toHex (const ClassId& id)
{
    constexpr const char* digits = "0123456789ABCDEF";
    std::string text;
    for (const auto byte : id)
    {
        text += digits[byte >> 4];
        text += digits[byte & 0xf];
    }
    return text;
}
} // namespace Tessaro9V::classIds
