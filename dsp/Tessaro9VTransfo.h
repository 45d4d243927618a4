#pragma once

#include "dsp/QVAEffect.h"
#include "dsp/Tessaro9VTransfoChannel.h"

#include <juce_core/juce_core.h>

namespace Tessaro9V
{
// Transformer coloration: level-dependent high-pass, two peaks, low-frequency
// saturation and a rate-dependent high shelf. Depends only on the sample rate. The
// channel states survive releaseResources; only prepareToPlay rebuilds them.
class Tessaro9VTransfo : public QVAEffect
{
public:
    Tessaro9VTransfo();
    ~Tessaro9VTransfo() override;

    void prepareToPlay (double newSampleRate, int newNumChannels) override;
    using QVAEffect::processSamples;
    // A channel without a state is left unchanged.
    void processSamples (float* data, int numSamples, int channel) override;

    // The state of a channel, or nullptr; for inspection.
    const Tessaro9VTransfoChannel* getChannelState (int channel) const noexcept { return channels[channel]; }
    double getSatScale() const noexcept { return satScale; }

private:
    double satScale = 300.0 / 44100.0;
    juce::OwnedArray<Tessaro9VTransfoChannel> channels;

    JUCE_DECLARE_NON_COPYABLE (Tessaro9VTransfo)
};
} // namespace Tessaro9V
