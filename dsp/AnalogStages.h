#pragma once

#include "dsp/NoiseSource.h"

namespace Tessaro9V
{
namespace analog
{
// Adds the faint noise floor, uniform over [-1, 1) x 3.5e-5 on the scaled signal.
inline void addNoise (float* data, int numSamples, NoiseSource& source) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        float x = static_cast<float> (source.next()) * 4.656612873077393e-10f;
        x = x + x;
        x = x - 1.0f;
        x = x * 3.5e-5f;
        data[i] = data[i] + x;
    }
}

// Soft clip bounded by +-16 on the scaled signal; transparent for small signals.
void softClip (float* data, int numSamples) noexcept;
} // namespace analog
} // namespace Tessaro9V
