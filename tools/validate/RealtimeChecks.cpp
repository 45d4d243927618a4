#include "RealtimeProbe.h"
#include "Validator.h"

#include <iostream>

namespace t9validate
{
namespace
{
// Judges every processBlock call made by the checks before it: none may allocate, free,
// lock a mutex or sleep in the plug-in's own code. What the framework's wrappers do on
// either side of the plug-in boundary is reported, and fails only with --strict-realtime.
void noAllocationLockOrSleep (Context& ctx)
{
    if (!rt::probeAvailable())
    {
        std::cout << "    (skipped: the sanitizers replace the allocator in this build)\n";
        return;
    }
    const auto s = rt::takeSummary();
    const auto count = [&] (rt::Origin o) { return s.countByOrigin[static_cast<size_t> (o)]; };
    std::cout << "    calls inside processBlock: processor " << count (rt::Origin::processor)
              << ", framework wrapper in the plug-in " << count (rt::Origin::pluginFramework) << ", host wrapper "
              << count (rt::Origin::host) << ", unrecorded " << s.unrecorded << "\n";

    const char* origins[] = { "processor", "framework wrapper in the plug-in", "host wrapper" };
    for (const auto& f : s.examples)
        std::cout << "    " << origins[static_cast<size_t> (f.origin)] << ": " << rt::kindName (f.kind) << " ("
                  << f.call << ")\n"
                  << f.stack;

    ctx.expect (count (rt::Origin::processor) == 0,
                juce::String (count (rt::Origin::processor)) + " allocations, locks or sleeps in the plug-in's code");
    ctx.expect (s.unrecorded == 0, juce::String (s.unrecorded) + " calls beyond the recording capacity");
    if (ctx.strictRealtime)
        ctx.expect (count (rt::Origin::pluginFramework) == 0,
                    juce::String (count (rt::Origin::pluginFramework)) +
                        " allocations, locks or sleeps in the framework's wrapper inside the plug-in");
}
} // namespace

std::vector<Check> realtimeChecks()
{
    return { { "real-time safety of every processBlock call above", noAllocationLockOrSleep } };
}
} // namespace t9validate
