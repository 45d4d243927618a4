#include "dsp/QVAHum.h"

namespace Tessaro9V
{
QVAHum::QVAHum() = default;
QVAHum::~QVAHum() = default;

void QVAHum::prepareToPlay (double newSampleRate, int newNumChannels)
{
    sampleRate = newSampleRate;
    numChannels = newNumChannels;

    states.clear();
    for (int i = 0; i < newNumChannels; ++i)
        states.add (new QVAHumChannel())->init (newSampleRate);

    invSampleRate = 1.0 / newSampleRate;
    // Sized here so that processing never allocates.
    scratch.setSize (1, maxChunk);
}

void QVAHum::releaseResources() { states.clear(); }

void QVAHum::processSamples (float* data, int numSamples, int channel)
{
    if (auto* state = states[channel])
        generate (*state, &data, 1, numSamples);
}

void QVAHum::processSamples (float** channels, int numSamples)
{
    if (auto* state = states[0])
        generate (*state, channels, numChannels, numSamples);
}

void QVAHum::generate (QVAHumChannel& state, float* const* destinations, int numDestinations, int numSamples) noexcept
{
    if (numSamples <= 0)
        return;

    float* const buffer = scratch.getWritePointer (0);
    const double increment = 50.0 * invSampleRate;
    for (int start = 0; start < numSamples; start += maxChunk)
    {
        const int n = juce::jmin (maxChunk, numSamples - start);
        state.renderSquare (buffer, n, increment);
        state.filter (buffer, n);
        for (int d = 0; d < numDestinations; ++d)
            juce::FloatVectorOperations::add (destinations[d] + start, buffer, n);
    }
    state.sanitiseState();
}
} // namespace Tessaro9V
