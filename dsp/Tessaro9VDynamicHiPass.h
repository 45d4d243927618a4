#pragma once

#include "dsp/BiquadSection.h"

#include <array>

namespace Tessaro9V
{
// High-pass whose corner follows the level: 42 Hz (Q 1) for quiet signals, moving down to
// 18 Hz (Q 0.7071) as a 5 ms level follower rises to 0.6. The coefficients are interpolated
// between the two sets, coefficient by coefficient, and installed per sample.
class Tessaro9VDynamicHiPass
{
public:
    // Computes both coefficient sets for the rate and clears the history.
    void init (double sampleRate) noexcept;

    // One block in place, sample by sample.
    void process (float* data, int numSamples) noexcept;

    // End of block: drops any non-finite value a bad input sample left in the follower,
    // the control or the section, and flushes a follower too small to matter.
    void sanitiseState() noexcept;

    // Control value c (0 = 42 Hz set, 1 = 18 Hz set) of the coefficients now installed.
    double control() const noexcept { return lastControl; }
    double envelopeLevel() const noexcept { return envelope; }
    const BiquadSection& section() const noexcept { return filter; }

private:
    using Coefficients = std::array<double, 5>; // b0, b1, b2, a1, a2 (a0 = 1)

    void installControl (double c) noexcept;

    BiquadSection filter;
    Coefficients quietCoeffs{};
    Coefficients coeffDelta{};
    double lastControl = -1.0;
    double envelope = 0.0;
    double envA = 0.0;
    double envB = 1.0;
};
} // namespace Tessaro9V
