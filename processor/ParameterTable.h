#pragma once

#include <array>
#include <cstdint>

namespace Tessaro9V
{
// Host parameter indices. The order is part of every saved song and automation lane.
enum ParameterIndex : int
{
    kInputGain = 0,
    kOutputLevel,
    kLink,
    kHiBoost,
    kHiFrequency,
    kLowBoost,
    kLowFrequency,
    kEqOn,
    kPolarity,
    kAnalog,
    kLowpassFrequency,
    kLowpassSlope,
    kLowFilterOn,
    kHighpassFrequency,
    kHighpassSlope,
    kHighFilterOn,
    kBypass,
    kNumParameters
};

struct ParameterInfo
{
    const char* name;      // what hosts show
    const char* shortName; // attribute name in the saved state
    float defaultValue;    // normalised default reported to hosts
};

extern const std::array<ParameterInfo, kNumParameters> parameterTable;

inline bool isParameterIndex (int index) noexcept { return index >= 0 && index < kNumParameters; }

// Conversions between normalised host values and the stored working forms.
namespace laws
{
double gainFromNormalised (float v) noexcept;         // ±24 dB, linear factor
float normalisedFromGain (double gain) noexcept;
uint32_t threeStepFromNormalised (float v) noexcept;  // hi / low frequency steps
uint32_t fiveStepFromNormalised (float v) noexcept;   // slope steps
float normalisedFromThreeStep (uint32_t step) noexcept;
float normalisedFromFiveStep (uint32_t step) noexcept;
bool switchFromNormalised (float v) noexcept;         // v >= 0.5
bool bypassFromNormalised (float v) noexcept;         // v != 0
double cornerFrequencyHz (double normalised) noexcept; // 20 Hz .. 20 kHz
int slopeCode (uint32_t step) noexcept;                // {1, 2, 3, 4, 6}, else 2
} // namespace laws
} // namespace Tessaro9V
