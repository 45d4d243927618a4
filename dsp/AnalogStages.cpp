#include "dsp/AnalogStages.h"

#include <cmath>

namespace Tessaro9V::analog
{
void softClip (float* data, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        const float x = data[i];
        const float a = std::fabs (x * 0.0625f);
        const float y = 16.0f * std::pow (std::tanh (std::pow (a, 3.0f)), 0.33333334f);
        data[i] = std::copysign (y, x);
    }
}
} // namespace Tessaro9V::analog
