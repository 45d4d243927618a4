#include "dsp/Tessaro9VTransfo.h"

namespace Tessaro9V
{
// Placeholder until the transformer model is built: passes the signal unchanged.
Tessaro9VTransfo::Tessaro9VTransfo() = default;
Tessaro9VTransfo::~Tessaro9VTransfo() = default;

void Tessaro9VTransfo::prepareToPlay (double newSampleRate, int newNumChannels)
{
    sampleRate = newSampleRate;
    numChannels = newNumChannels;
}

void Tessaro9VTransfo::processSamples (float*, int, int) {}
} // namespace Tessaro9V
