#include "dsp/Tessaro9VFilters.h"

namespace Tessaro9V
{
// Placeholder: the equaliser and filters are not built yet, so the block passes the
// signal unchanged.
Tessaro9VFilters::Tessaro9VFilters() = default;
Tessaro9VFilters::~Tessaro9VFilters() = default;

void Tessaro9VFilters::prepareToPlay (double newSampleRate, int newNumChannels)
{
    sampleRate = newSampleRate;
    numChannels = newNumChannels;
}

void Tessaro9VFilters::releaseResources() {}
void Tessaro9VFilters::processSamples (float*, int, int) {}
void Tessaro9VFilters::setHi (int, double) {}
void Tessaro9VFilters::setLo (int, double) {}
void Tessaro9VFilters::setLP (double, int) {}
void Tessaro9VFilters::setHP (double, int) {}
} // namespace Tessaro9V
