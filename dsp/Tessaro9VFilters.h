#pragma once

#include "dsp/QVAEffect.h"

#include <atomic>

namespace Tessaro9V
{
// Boost equaliser (high and low band), low-pass and high-pass, per channel.
// Setters may run on another thread while the audio thread processes.
class Tessaro9VFilters : public QVAEffect
{
public:
    Tessaro9VFilters();
    ~Tessaro9VFilters() override;

    void prepareToPlay (double newSampleRate, int newNumChannels) override;
    void releaseResources() override;
    using QVAEffect::processSamples;
    void processSamples (float* data, int numSamples, int channel) override;

    void setHi (int frequencyIndex, double boost);
    void setLo (int frequencyIndex, double boost);
    void setLP (double frequency, int slope);
    void setHP (double frequency, int slope);

    // Written by the owner directly; read by the audio thread.
    std::atomic<bool> eqOn { false };
    std::atomic<bool> lpOn { false };
    std::atomic<bool> hpOn { false };
    std::atomic<bool> analog { true };
};
} // namespace Tessaro9V
