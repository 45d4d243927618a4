#pragma once

#include "dsp/BiquadSection.h"
#include "dsp/Tessaro9VDynamicHiPass.h"
#include "dsp/TransfoSaturation.h"

namespace Tessaro9V
{
// One channel of the transformer: dynamic high-pass, peaks at 15 kHz and 200 Hz,
// low-frequency saturation and a high shelf near the top of the band, in that order.
// A plain state record; its sections are public so that they can be inspected.
class Tessaro9VTransfoChannel
{
public:
    // Computes everything that depends on the rate and clears the history.
    void init (double sampleRate) noexcept;

    // One block in place; satScale is the block's k = 300 / sample rate.
    void process (float* data, int numSamples, double satScale) noexcept;

    // End of block: clears what a bad input sample left behind in any stage.
    void sanitiseState() noexcept;

    Tessaro9VDynamicHiPass dynamicHiPass;
    BiquadSection highShelf;
    BiquadSection peak15k;
    BiquadSection peak200;
    TransfoSaturation saturation;
};
} // namespace Tessaro9V
