#include "dsp/Tessaro9VTransfo.h"

namespace Tessaro9V
{
Tessaro9VTransfo::Tessaro9VTransfo() = default;
Tessaro9VTransfo::~Tessaro9VTransfo() = default;

void Tessaro9VTransfo::prepareToPlay (double newSampleRate, int newNumChannels)
{
    sampleRate = newSampleRate;
    numChannels = newNumChannels;

    channels.clear();
    for (int i = 0; i < newNumChannels; ++i)
        channels.add (new Tessaro9VTransfoChannel())->init (newSampleRate);

    satScale = 300.0 / newSampleRate;
}

void Tessaro9VTransfo::processSamples (float* data, int numSamples, int channel)
{
    if (auto* state = channels[channel]; state != nullptr && numSamples > 0)
    {
        state->process (data, numSamples, satScale);
        // A bad sample may spoil this block but not the ones after it.
        state->sanitiseState();
    }
}
} // namespace Tessaro9V
