#pragma once

#include "ProcessorSetup.h"

#include <vector>

namespace t9render
{
struct ResponsePoint
{
    double frequency; // Hz
    double gainDb;
};

// Frequencies from low to high, evenly spaced on a logarithmic axis, both ends included.
std::vector<double> logFrequencies (double low, double high, int count);

// The magnitude response of these parameter values with "Analog" off (the chain is then
// linear): an impulse through a fresh mono processor, in blocks of blockSize, and the
// Fourier transform of the response evaluated at each frequency (those above 0.49 of
// the sample rate are skipped).
std::vector<ResponsePoint> measureResponse (const std::array<float, Tessaro9V::kNumParameters>& values,
                                            double sampleRate, int blockSize, const std::vector<double>& frequencies);
} // namespace t9render
