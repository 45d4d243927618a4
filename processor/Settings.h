#pragma once

#include <cstdint>

namespace Tessaro9V
{
// The processor's parameter values in working form, plus the chain's operating scale.
// One record is the live state; each factory program is one record too.
struct Settings
{
    double inputGain = 1.0;     // linear factor
    double outputLevel = 1.0;   // linear factor
    bool link = true;
    double hiBoost = 0.0;       // 0..1
    uint32_t hiFrequency = 1;   // step 0..2
    double lowBoost = 0.0;      // 0..1
    uint32_t lowFrequency = 1;  // step 0..2
    bool eqOn = true;
    bool polarity = false;      // true inverts the output
    bool analog = true;
    double lowpassFrequency = 1.0;  // normalised 0..1
    uint32_t lowpassSlope = 1;      // step 0..4
    bool lowFilterOn = false;
    double highpassFrequency = 0.0; // normalised 0..1
    uint32_t highpassSlope = 1;     // step 0..4
    bool highFilterOn = false;
    bool bypass = false;
    double internalScale = 7.65;    // operating scale of the chain, never a parameter
};

// Field-by-field relaxed-atomic copies, for records shared between threads.
Settings loadSettings (const Settings& shared) noexcept;
void storeSettings (Settings& shared, const Settings& values) noexcept;
} // namespace Tessaro9V
