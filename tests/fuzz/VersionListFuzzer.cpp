// Fuzzes the version-list handling: any bytes from a server must be taken without a crash,
// a hang or a sanitizer report, and a listed version is only ever found as a direct child.
#include "editor/VersionCheck.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const auto text = juce::String::fromUTF8 (reinterpret_cast<const char*> (data), static_cast<int> (size));
    if (const auto listed = Tessaro9V::findListedVersion (text, "9V-210"))
        (void) Tessaro9V::isDifferentVersion (*listed, "1.0.2");
    return 0;
}
