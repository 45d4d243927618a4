#include "processor/FactoryPrograms.h"

namespace Tessaro9V
{
namespace
{
// One row of the program table, every value as stored. The gains are single-precision
// linear factors, the output mirroring the input in dB; most equal the gain law at a knob
// position that is a multiple of 0.004, but not all do to the last bit, so they are kept
// as the factors themselves.
struct Row
{
    const char* name;
    float inputGain, outputLevel;
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
    { "Default", 1.0f, 1.0f, 0.0f, 1, 0.0f, 1, 1.0f, 1, false, 0.0f, 1, false },
    { "BASS- Overdrive And Fat", 1.0452015f, 0.9567535f, 0.6515f, 0, 0.082f, 0, 0.832f, 0, true, 0.048f, 2, true },
    { "DRUMS- Beefy Drum Room", 3.1564584f, 0.31681082f, 0.074f, 1, 0.030000001f, 1, 1.0f, 1, false, 0.088f, 1, true },
    { "DRUMS- Snare Overdrive", 8.348337f, 0.11978433f, 0.24350001f, 1, 0.12645313f, 2, 1.0f, 1, false, 0.272f, 0,
      true },
    { "DRUMS- Use me on every channel", 2.7039583f, 0.36982816f, 0.054515626f, 1, 0.018242192f, 1, 1.0f, 1, false,
      0.10400001f, 1, true },
    { "FILTER-  Automated LPF and HPF", 1.0f, 1.0f, 0.0f, 1, 0.0f, 1, 1.0f, 4, true, 0.0f, 4, true },
    { "GUITAR- Overdrive", 15.848933f, 0.06309571f, 1.0f, 0, 1.0f, 2, 0.852f, 0, true, 0.268f, 2, true },
    { "KEYS- Tb 303 Overdrive", 15.848933f, 0.06309571f, 0.5495f, 0, 0.091f, 1, 1.0f, 1, false, 0.06f, 1, true },
    { "MIX- Master Mix", 0.3951845f, 2.530464f, 0.04f, 0, 0.018f, 0, 1.0f, 1, false, 0.06f, 2, true },
    { "VOCALS- Overdriven Telephone", 15.848933f, 0.06309571f, 0.949f, 1, 1.0f, 1, 0.76399994f, 3, true, 0.48799998f, 3,
      true },
    { "VOCALS- Warm", 3.0874505f, 0.32389182f, 0.15f, 1, 0.051f, 1, 0.988f, 0, true, 0.27199998f, 2, true },
};

FactoryProgram makeProgram (const Row& row)
{
    Settings s; // Link, EQ and Analog on, Polarity and Bypass off, scale 7.65
    s.inputGain = row.inputGain;
    s.outputLevel = row.outputLevel;
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
    std::array<FactoryProgram, numFactoryPrograms> programs{};
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
