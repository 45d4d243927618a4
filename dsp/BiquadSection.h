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

    // The whole block under the section's lock, like process(), but stores combine (x, y)
    // for each input x and section output y (y = x while inactive). The same arithmetic
    // and end-of-block snap as process(), so one coefficient set serves the whole block.
    template <typename Combine>
    void processCombined (float* data, int numSamples, Combine&& combine) noexcept
    {
        const juce::SpinLock::ScopedLockType lock (processLock);
        if (!active)
        {
            for (int i = 0; i < numSamples; ++i)
                data[i] = combine (data[i], data[i]);
            return;
        }

        const float* c = coefficients.coefficients;
        float s1 = v1, s2 = v2;
        for (int i = 0; i < numSamples; ++i)
        {
            const float in = data[i];
            const float out = c[0] * in + s1;
            s1 = c[1] * in - c[3] * out + s2;
            s2 = c[2] * in - c[4] * out;
            data[i] = combine (in, out);
        }
        v1 = snapToZero (s1);
        v2 = snapToZero (s2);
    }

    // One sample with the output snapped to zero within +-1e-8. It takes no lock: use it
    // only where no other thread installs coefficients while it runs.
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

    static float snapToZero (float v) noexcept { return (v < -1.0e-8f || v > 1.0e-8f) ? v : 0.0f; }

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
