#pragma once

namespace Tessaro9V
{
// Interface of the signal-processing blocks. Each block owns one state per channel,
// rebuilt by prepareToPlay; processing is in place on single-precision buffers.
class QVAEffect
{
public:
    virtual ~QVAEffect() = default;

    virtual void prepareToPlay (double newSampleRate, int newNumChannels) = 0;
    virtual void releaseResources() {}
    virtual void processSamples (float* data, int numSamples, int channel) = 0;

    // Runs the one-channel operation on channels 0 .. numChannels - 1.
    virtual void processSamples (float** channels, int numSamples)
    {
        for (int i = 0; i < numChannels; ++i)
            processSamples (channels[i], numSamples, i);
    }

    double getSampleRate() const noexcept { return sampleRate; }
    int getNumChannels() const noexcept { return numChannels; }

protected:
    double sampleRate = 44100.0;
    int numChannels = 1;
};
} // namespace Tessaro9V
