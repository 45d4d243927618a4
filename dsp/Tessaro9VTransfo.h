#pragma once

#include "dsp/QVAEffect.h"

namespace Tessaro9V
{
// Transformer coloration: level-dependent high-pass, two peaks, low-frequency
// saturation and a rate-dependent high shelf. Depends only on the sample rate.
class Tessaro9VTransfo : public QVAEffect
{
public:
    Tessaro9VTransfo();
    ~Tessaro9VTransfo() override;

    void prepareToPlay (double newSampleRate, int newNumChannels) override;
    using QVAEffect::processSamples;
    void processSamples (float* data, int numSamples, int channel) override;
};
} // namespace Tessaro9V
