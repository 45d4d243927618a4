#include "processor/FactoryPrograms.h"

#include "processor/ParameterTable.h"

namespace Tessaro9V
{
namespace
{
// One row of the program table: gains as knob positions (the gain law turns them into
// the stored factors), everything else as stored.
struct Row
{
    const char* name;
    float inputPosition, outputPosition;
    float hiBoost;
    uint32_t hiStep;
    float lowBoost;
    uint32_t lowStep;
    float lowpass;
    uint32_t lowpassSlope;
    bool lowpassOn;
    float highpass;
    uint32_t highpassSlope;
    bool highpassOn;
};

constexpr Row rows[numFactoryPrograms] = {
    { "Default", 0.5f, 0.5f, 0.0f, 1, 0.0f, 1, 1.0f, 1, false, 0.0f, 1, false },
    { "BASS- Overdrive And Fat", 0.508f, 0.492f, 0.6515f, 0, 0.082f, 0, 0.832f, 0, true, 0.048f, 2, true },
    { "DRUMS- Beefy Drum Room", 0.708f, 0.292f, 0.074f, 1, 0.030000001f, 1, 1.0f, 1, false, 0.088f, 1, true },
    { "DRUMS- Snare Overdrive", 0.884f, 0.116f, 0.24350001f, 1, 0.12645313f, 2, 1.0f, 1, false, 0.272f, 0, true },
    { "DRUMS- Use me on every channel", 0.68f, 0.32f, 0.054515626f, 1, 0.018242192f, 1, 1.0f, 1, false, 0.10400001f, 1, true },
    { "FILTER-  Automated LPF and HPF", 0.5f, 0.5f, 0.0f, 1, 0.0f, 1, 1.0f, 4, true, 0.0f, 4, true },
    { "GUITAR- Overdrive", 1.0f, 0.0f, 1.0f, 0, 1.0f, 2, 0.852f, 0, true, 0.268f, 2, true },
    { "KEYS- Tb 303 Overdrive", 1.0f, 0.0f, 0.5495f, 0, 0.091f, 1, 1.0f, 1, false, 0.06f, 1, true },
    { "MIX- Master Mix", 0.332f, 0.668f, 0.04f, 0, 0.018f, 0, 1.0f, 1, false, 0.06f, 2, true },
    { "VOCALS- Overdriven Telephone", 1.0f, 0.0f, 0.949f, 1, 1.0f, 1, 0.76399994f, 3, true, 0.48799998f, 3, true },
    { "VOCALS- Warm", 0.704f, 0.296f, 0.15f, 1, 0.051f, 1, 0.988f, 0, true, 0.27199998f, 2, true },
};

FactoryProgram makeProgram (const Row& row)
{
    Settings s; // Link, EQ and Analog on, Polarity and Bypass off, scale 7.65
    s.inputGain = laws::gainFromNormalised (row.inputPosition);
    s.outputLevel = laws::gainFromNormalised (row.outputPosition);
    s.hiBoost = row.hiBoost;
    s.hiFrequency = row.hiStep;
    s.lowBoost = row.lowBoost;
    s.lowFrequency = row.lowStep;
    s.lowpassFrequency = row.lowpass;
    s.lowpassSlope = row.lowpassSlope;
    s.lowFilterOn = row.lowpassOn;
    s.highpassFrequency = row.highpass;
    s.highpassSlope = row.highpassSlope;
    s.highFilterOn = row.highpassOn;
    return { row.name, s };
}

std::array<FactoryProgram, numFactoryPrograms> makePrograms()
{
    std::array<FactoryProgram, numFactoryPrograms> programs {};
    for (int i = 0; i < numFactoryPrograms; ++i)
        programs[static_cast<std::size_t> (i)] = makeProgram (rows[i]);
    return programs;
}
} // namespace

const std::array<FactoryProgram, numFactoryPrograms>& factoryPrograms()
{
    static const auto programs = makePrograms();
    return programs;
}
} // namespace Tessaro9V
