#pragma once

#include "dsp/QVAEffect.h"
#include "dsp/Tessaro9VFiltersChannel.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <atomic>

namespace Tessaro9V
{
// Boost equaliser (high and low band), low-pass and high-pass, per channel.
// Setters may run on another thread while the audio thread processes: biquads change under
// their own locks, everything else through atomics.
class Tessaro9VFilters : public QVAEffect
{
public:
    // Longest stretch the low band works on at once; longer blocks go in pieces of this.
    static constexpr int scratchSize = 4096;

    Tessaro9VFilters();
    ~Tessaro9VFilters() override;

    void prepareToPlay (double newSampleRate, int newNumChannels) override;
    void releaseResources() override;
    using QVAEffect::processSamples;
    void processSamples (float* data, int numSamples, int channel) override;

    // High band: peak at 6, 10 or 16 kHz (step 0, 1, 2; other steps 6 kHz), boost 0..1 for
    // 0..+6.5 dB. A NaN boost changes nothing.
    void setHi (int frequencyIndex, double boost);
    // Low band: the passive low-boost network, capacitor by step, boost 0..1 for the pot.
    void setLo (int frequencyIndex, double boost);
    // Low-pass and high-pass corner in Hz and slope code (1, 2, 3, 4 or 6). Corners are
    // kept within [1 Hz, 0.49 fs]; a NaN corner keeps the last one given.
    void setLP (double frequency, int slope);
    void setHP (double frequency, int slope);

    double getLoGain() const noexcept { return loGain.load (std::memory_order_relaxed); }
    int getLpSlope() const noexcept { return lpSlope.load (std::memory_order_relaxed); }
    int getHpSlope() const noexcept { return hpSlope.load (std::memory_order_relaxed); }
    int getNumChannelStates() const noexcept { return channels.size(); }
    const Tessaro9VFiltersChannel* getChannelState (int channel) const noexcept { return channels[channel]; }

    // Written by the owner directly; read by the audio thread.
    std::atomic<bool> eqOn{ false };
    std::atomic<bool> lpOn{ false };
    std::atomic<bool> hpOn{ false };
    std::atomic<bool> analog{ true };

private:
    double limitCorner (double frequency) const noexcept;
    void processHighBand (Tessaro9VFiltersChannel& state, float* data, int numSamples) noexcept;
    void processLowBand (Tessaro9VFiltersChannel& state, float* data, int numSamples) noexcept;
    static void processLowPass (Tessaro9VFiltersChannel& state, int slope, float* data, int numSamples) noexcept;
    static void processHighPass (Tessaro9VFiltersChannel& state, float* data, int numSamples) noexcept;

    juce::OwnedArray<Tessaro9VFiltersChannel> channels;
    juce::AudioBuffer<float> scratch;
    std::atomic<double> loGain{ 0.0 };
    std::atomic<int> lpSlope{ 0 }; // 0: no setLP yet (all one-poles pass-through)
    std::atomic<int> hpSlope{ 0 };
    // The corners last given, for a NaN corner: the owner's defaults until then.
    std::atomic<double> lpCorner{ 20000.0 };
    std::atomic<double> hpCorner{ 20.0 };

    JUCE_DECLARE_NON_COPYABLE (Tessaro9VFilters)
};
} // namespace Tessaro9V
