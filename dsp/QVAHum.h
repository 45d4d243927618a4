#pragma once

#include "dsp/QVAEffect.h"
#include "dsp/QVAHumChannel.h"

#include <juce_audio_basics/juce_audio_basics.h>

namespace Tessaro9V
{
// Faint filtered 50 Hz mains hum, added to the signal: a square wave of 3e-6 whose
// fundamental is removed and whose odd harmonics between 150 Hz and 1.5 kHz are lifted.
class QVAHum : public QVAEffect
{
public:
    QVAHum();
    ~QVAHum() override;

    void prepareToPlay (double newSampleRate, int newNumChannels) override;
    // Drops the channel states; until the next prepareToPlay the block adds nothing.
    void releaseResources() override;
    // Generates the hum with this channel's state and adds it to data.
    void processSamples (float* data, int numSamples, int channel) override;
    // Generates the hum once, with the state of channel 0, and adds the same signal to
    // every prepared channel.
    void processSamples (float** channels, int numSamples) override;

    // The state of a channel, or nullptr; for inspection.
    const QVAHumChannel* getChannelState (int channel) const noexcept { return states[channel]; }

    // Longest stretch generated at once; longer blocks are generated in pieces.
    static constexpr int maxChunk = 2048;

private:
    void generate (QVAHumChannel& state, float* const* destinations, int numDestinations, int numSamples) noexcept;

    juce::OwnedArray<QVAHumChannel> states;
    double invSampleRate = 1.0 / 44100.0;
    juce::AudioBuffer<float> scratch;

    JUCE_DECLARE_NON_COPYABLE (QVAHum)
};
} // namespace Tessaro9V
