#pragma once

#include "dsp/BiquadSection.h"

namespace Tessaro9V
{
// State of one hum generator: the phase of the 50 Hz square wave and the five sections
// that remove its fundamental and colour its harmonics.
class QVAHumChannel
{
public:
    // Installs the sections for the rate; phase and history start at zero.
    void init (double sampleRate) noexcept;

    // Writes the raw square wave (+-3e-6), advancing the phase (in cycles) by increment
    // per sample before each sample.
    void renderSquare (float* out, int numSamples, double increment) noexcept;

    // High-pass at 150 Hz, then peaks at 200, 600, 1000 and 1400 Hz, in place.
    void filter (float* data, int numSamples) noexcept;

    // End of block: no non-finite value may stay in the phase or the sections.
    void sanitiseState() noexcept;

    double getPhase() const noexcept { return phase; }

private:
    double phase = 0.0;
    BiquadSection hp150;
    BiquadSection pk200;
    BiquadSection pk600;
    BiquadSection pk1000;
    BiquadSection pk1400;
};
} // namespace Tessaro9V
