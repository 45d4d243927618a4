#include "dsp/Tessaro9VTransfoChannel.h"

#include "dsp/CoefficientDesigns.h"

namespace Tessaro9V
{
namespace
{
double amplitudeForDecibels (double dB) noexcept { return designs::amplitudeFromGain (designs::gainFromDecibels (dB)); }
} // namespace

void Tessaro9VTransfoChannel::init (double sampleRate) noexcept
{
    dynamicHiPass.init (sampleRate);

    // The shelf's gain in dB is the square of the rate in units of 42 kHz.
    const double rateRatio = sampleRate / 42000.0;
    highShelf.install (
        designs::highShelf (sampleRate, 0.45 * sampleRate, 0.1, amplitudeForDecibels (rateRatio * rateRatio)));
    peak15k.install (designs::peak (sampleRate, 15000.0, 0.5, amplitudeForDecibels (1.0)));
    peak200.install (designs::peak (sampleRate, 200.0, 0.5, amplitudeForDecibels (1.5)));
    highShelf.reset();
    peak15k.reset();
    peak200.reset();

    saturation.init (sampleRate);
}

void Tessaro9VTransfoChannel::process (float* data, int numSamples, double satScale) noexcept
{
    dynamicHiPass.process (data, numSamples);
    peak15k.process (data, numSamples);
    peak200.process (data, numSamples);
    saturation.process (data, numSamples, satScale);
    highShelf.process (data, numSamples);
}

void Tessaro9VTransfoChannel::sanitiseState() noexcept
{
    dynamicHiPass.sanitiseState();
    peak15k.clearNonFiniteState();
    peak200.clearNonFiniteState();
    saturation.sanitiseState();
    highShelf.clearNonFiniteState();
}
} // namespace Tessaro9V
