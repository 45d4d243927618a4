#pragma once

#include "dsp/QVAEffect.h"

namespace Tessaro9V
{
// Faint filtered 50 Hz mains hum, added to the signal.
class QVAHum : public QVAEffect
{
public:
    QVAHum();
    ~QVAHum() override;

    void prepareToPlay (double newSampleRate, int newNumChannels) override;
    void releaseResources() override;
    void processSamples (float* data, int numSamples, int channel) override;
    // Generates the hum once and adds the same signal to every prepared channel.
    void processSamples (float** channels, int numSamples) override;
};
} // namespace Tessaro9V
