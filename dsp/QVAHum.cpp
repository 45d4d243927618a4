#include "dsp/QVAHum.h"

namespace Tessaro9V
{
// Placeholder until the hum generator is built: adds nothing.
QVAHum::QVAHum() = default;
QVAHum::~QVAHum() = default;

void QVAHum::prepareToPlay (double newSampleRate, int newNumChannels)
{
    sampleRate = newSampleRate;
    numChannels = newNumChannels;
}

void QVAHum::releaseResources() {}
void QVAHum::processSamples (float*, int, int) {}
void QVAHum::processSamples (float**, int) {}
} // namespace Tessaro9V
