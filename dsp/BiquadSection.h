#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cmath>

namespace Tessaro9V
{
// The six raw values of a second-order design, before normalisation by a0.
struct BiquadDesign
{
    double b0, b1, b2, a0, a1, a2;
};

// A second-order section on the framework's IIRFilter: installing and deactivating take
// the section's own lock, which its block operation holds for the whole block, so a block
// never runs with a half-written coefficient set. The block operation snaps states within
// +-1e-8 (and NaN) to zero at the end of each block.
class BiquadSection : public juce::IIRFilter
{
public:
    // Normalises by a0 in double precision, stores single precision and activates. A
    // design that is not finite or not stable is refused and the previous set stays.
    bool install (const BiquadDesign& d) noexcept
    {
        if (! isUsable (d))
            return false;
        setCoefficients (juce::IIRCoefficients (d.b0, d.b1, d.b2, d.a0, d.a1, d.a2));
        return true;
    }

    void deactivate() noexcept { makeInactive(); }

    // The whole block, in place; does nothing while inactive.
    void process (float* data, int numSamples) noexcept { processSamples (data, numSamples); }

    // One sample with the output snapped to zero within +-1e-8; no lock (audio thread only).
    float processSample (float x) noexcept { return processSingleSampleRaw (x); }

    // Clears a state that an infinite sample left behind, so the section recovers.
    void clearNonFiniteState() noexcept
    {
        if (! std::isfinite (v1) || ! std::isfinite (v2))
            v1 = v2 = 0.0f;
    }

    bool isActive() const noexcept { return active; }
    float state1() const noexcept { return v1; }
    float state2() const noexcept { return v2; }

    // True when the design normalises to finite single-precision values with both poles
    // strictly inside the unit circle.
    static bool isUsable (const BiquadDesign& d) noexcept
    {
        if (! (std::isfinite (d.a0) && d.a0 != 0.0))
            return false;
        const double inv = 1.0 / d.a0;
        const double values[] = { d.b0 * inv, d.b1 * inv, d.b2 * inv, d.a1 * inv, d.a2 * inv };
        for (double v : values)
            if (! std::isfinite (static_cast<float> (v)))
                return false;
        const double a1 = static_cast<float> (values[3]);
        const double a2 = static_cast<float> (values[4]);
        return std::abs (a2) < 1.0 && std::abs (a1) < 1.0 + a2;
    }
};
} // namespace Tessaro9V
