#include "dsp/QVAHumChannel.h"

#include "dsp/CoefficientDesigns.h"

#include <cmath>

namespace Tessaro9V
{
namespace
{
double amplitudeForDecibels (double dB) noexcept { return designs::amplitudeFromGain (designs::gainFromDecibels (dB)); }
} // namespace

void QVAHumChannel::init (double sampleRate) noexcept
{
    phase = 0.0;
    hp150.install (designs::highPass (sampleRate, 150.0, designs::invSqrt2));
    pk200.install (designs::peak (sampleRate, 200.0, 1.0, amplitudeForDecibels (10.0)));
    pk600.install (designs::peak (sampleRate, 600.0, 5.0, amplitudeForDecibels (10.0)));
    pk1000.install (designs::peak (sampleRate, 1000.0, 5.0, amplitudeForDecibels (9.0)));
    pk1400.install (designs::peak (sampleRate, 1400.0, 5.0, amplitudeForDecibels (7.0)));
    for (auto* section : { &hp150, &pk200, &pk600, &pk1000, &pk1400 })
        section->reset();
}

void QVAHumChannel::renderSquare (float* out, int numSamples, double increment) noexcept
{
    double p = phase;
    for (int i = 0; i < numSamples; ++i)
    {
        p += increment;
        p -= std::floor (p);
        out[i] = p < 0.5 ? 3.0e-6f : -3.0e-6f;
    }
    phase = p;
}

void QVAHumChannel::filter (float* data, int numSamples) noexcept
{
    for (auto* section : { &hp150, &pk200, &pk600, &pk1000, &pk1400 })
        section->process (data, numSamples);
}

void QVAHumChannel::sanitiseState() noexcept
{
    if (!(phase >= 0.0 && phase < 1.0))
        phase = 0.0;
    for (auto* section : { &hp150, &pk200, &pk600, &pk1000, &pk1400 })
        section->clearNonFiniteState();
}
} // namespace Tessaro9V
