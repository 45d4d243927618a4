#include "processor/ParameterTable.h"

#include <cmath>
#include <limits>

namespace Tessaro9V
{
const std::array<ParameterInfo, kNumParameters> parameterTable { {
    { "Input gain", "Gain", 0.5f },
    { "Output level", "Output", 0.5f },
    { "Link", "Link", 1.0f },
    { "Hi boost", "HiBoost", 0.0f },
    { "Hi frequency", "HiFreq", 0.5f },
    { "Low boost", "LowBoost", 0.0f },
    { "Low frequency", "LowFreq", 0.5f },
    { "EQ on", "Eq", 1.0f },
    { "Polarity", "Pol", 0.0f },
    { "Analog", "Analog", 1.0f },
    { "Lowpass frequency", "LP", 1.0f },
    { "Lowpass slope", "LPSlope", 0.0f },
    { "Low filter on", "LPOn", 0.0f },
    { "Highpass frequency", "HP", 0.0f },
    { "Highpass slope", "HPSlope", 0.0f },
    { "High filter on", "HPOn", 0.0f },
    { "Bypass", "Bypass", 0.0f },
} };

namespace laws
{
namespace
{
// Truncation toward zero that is defined for every input: NaN gives 0 and values beyond
// the int range saturate, where a plain cast would be undefined.
uint32_t truncateToStep (double x) noexcept
{
    if (std::isnan (x))
        return 0;
    constexpr double lo = std::numeric_limits<int32_t>::min();
    constexpr double hi = std::numeric_limits<int32_t>::max();
    const auto truncated = static_cast<int32_t> (x < lo ? lo : (x > hi ? hi : x));
    return static_cast<uint32_t> (truncated); // negative steps wrap, as stored
}
} // namespace

double gainFromNormalised (float v) noexcept
{
    const float dB = v * 48.0f + (-24.0f);
    if (dB > -100.0f)
        return static_cast<double> (std::pow (10.0f, dB * 0.05f));
    return 0.0;
}

float normalisedFromGain (double gain) noexcept
{
    constexpr double floorValue = -76.0 / 48.0;
    if (gain > 0.0)
    {
        const double dB = 20.0 * std::log10 (gain);
        return static_cast<float> (dB > -100.0 ? (dB + 24.0) / 48.0 : floorValue);
    }
    return static_cast<float> (floorValue);
}

uint32_t threeStepFromNormalised (float v) noexcept
{
    return truncateToStep (static_cast<double> (v + v) + 0.5);
}

uint32_t fiveStepFromNormalised (float v) noexcept
{
    return truncateToStep (static_cast<double> (v * 4.0f) + 0.5);
}

float normalisedFromThreeStep (uint32_t step) noexcept
{
    return static_cast<float> (step) * 0.5f;
}

float normalisedFromFiveStep (uint32_t step) noexcept
{
    return static_cast<float> (step) * 0.25f;
}

bool switchFromNormalised (float v) noexcept { return v >= 0.5f; }

bool bypassFromNormalised (float v) noexcept { return v != 0.0f; }

double cornerFrequencyHz (double normalised) noexcept
{
    return std::pow (10.0, 3.0 * normalised + 1.3010299957);
}

int slopeCode (uint32_t step) noexcept
{
    constexpr int codes[] = { 1, 2, 3, 4, 6 };
    return step < 5 ? codes[step] : 2;
}
} // namespace laws
} // namespace Tessaro9V
