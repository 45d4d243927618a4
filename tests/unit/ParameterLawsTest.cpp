// The parameter table and the laws between normalised host values and stored values.
#include "processor/RelaxedAccess.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Tessaro9V;

namespace
{
struct NameRow
{
    int index;
    const char* name;
    const char* shortName;
    float reportedDefault;
    float newInstanceValue;
};

const NameRow nameRows[] = {
    { 0, "Input gain", "Gain", 0.5f, 0.5f },          { 1, "Output level", "Output", 0.5f, 0.5f },
    { 2, "Link", "Link", 1.0f, 1.0f },                { 3, "Hi boost", "HiBoost", 0.0f, 0.0f },
    { 4, "Hi frequency", "HiFreq", 0.5f, 0.5f },      { 5, "Low boost", "LowBoost", 0.0f, 0.0f },
    { 6, "Low frequency", "LowFreq", 0.5f, 0.5f },    { 7, "EQ on", "Eq", 1.0f, 1.0f },
    { 8, "Polarity", "Pol", 0.0f, 0.0f },             { 9, "Analog", "Analog", 1.0f, 1.0f },
    { 10, "Lowpass frequency", "LP", 1.0f, 1.0f },    { 11, "Lowpass slope", "LPSlope", 0.0f, 0.25f },
    { 12, "Low filter on", "LPOn", 0.0f, 0.0f },      { 13, "Highpass frequency", "HP", 0.0f, 0.0f },
    { 14, "Highpass slope", "HPSlope", 0.0f, 0.25f }, { 15, "High filter on", "HPOn", 0.0f, 0.0f },
    { 16, "Bypass", "Bypass", 0.0f, 0.0f },
};
} // namespace

TEST (ParameterTable, NamesDefaultsAndNewInstanceValues)
{
    T9v210AudioProcessor p;
    ASSERT_EQ (p.getNumParameters(), 17);
    for (const auto& row : nameRows)
    {
        SCOPED_TRACE (row.name);
        EXPECT_EQ (p.getParameterName (row.index), row.name);
        EXPECT_EQ (p.getParameterShortName (row.index), row.shortName);
        EXPECT_EQ (p.getParameterDefaultValue (row.index), row.reportedDefault);
        EXPECT_FLOAT_EQ (p.getParameter (row.index), row.newInstanceValue);
        EXPECT_EQ (p.getParameterText (row.index), "");
    }
}

TEST (ParameterTable, OutOfRangeIndicesAreIgnored)
{
    T9v210AudioProcessor p;
    for (int index : { -1, 17, 1000, std::numeric_limits<int>::min() })
    {
        EXPECT_EQ (p.getParameterName (index), "");
        EXPECT_EQ (p.getParameterShortName (index), "");
        EXPECT_EQ (p.getParameterText (index), "");
        EXPECT_EQ (p.getParameter (index), 0.0f);
        EXPECT_EQ (p.getParameterDefaultValue (index), 0.0f);
        p.setParameter (index, 0.9f);
    }
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), 1.0);
}

TEST (ParameterLaws, GainLawBothWays)
{
    struct Case
    {
        float v;
        double expectedDb;
    };
    const Case cases[] = { { 0.5f, 0.0 }, { 1.0f, 24.0 }, { 0.0f, -24.0 }, { 0.625f, 6.0 }, { 0.25f, -12.0 } };
    for (const auto& c : cases)
    {
        T9v210AudioProcessor p;
        p.setParameter (kInputGain, c.v);
        p.setParameter (kOutputLevel, c.v);
        const double expected = std::pow (10.0, c.expectedDb / 20.0);
        EXPECT_NEAR (relaxedLoad (p.settings.inputGain), expected, expected * 2e-7) << c.v;
        EXPECT_NEAR (relaxedLoad (p.settings.outputLevel), expected, expected * 2e-7) << c.v;
        EXPECT_NEAR (p.getParameter (kInputGain), c.v, 2e-7) << c.v;
    }

    T9v210AudioProcessor p;
    p.setParameter (kInputGain, 0.5f);
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), 1.0); // exactly unity
    p.setParameter (kInputGain, 1.0f);
    // A single-precision power of the single-precision exponent 1.2f: 15.848933 (8 digits).
    const double top = relaxedLoad (p.settings.inputGain);
    EXPECT_NEAR (top, 15.848933, 5e-7);
    EXPECT_EQ (top, static_cast<double> (static_cast<float> (top)));
}

TEST (ParameterLaws, GainFloorAndOutOfRange)
{
    T9v210AudioProcessor p;
    // Below about -1.5833 the level drops under -100 dB: gain 0, reported as -76/48.
    p.setParameter (kInputGain, -1.6f);
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), 0.0);
    EXPECT_FLOAT_EQ (p.getParameter (kInputGain), static_cast<float> (-76.0 / 48.0));
    // Beyond +24 dB is accepted unclamped.
    p.setParameter (kInputGain, 1.25f);
    EXPECT_NEAR (relaxedLoad (p.settings.inputGain), std::pow (10.0, 36.0 / 20.0), 1e-3);
    EXPECT_NEAR (p.getParameter (kInputGain), 1.25f, 1e-6);
    p.setParameter (kInputGain, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), 0.0);
}

TEST (ParameterLaws, ThreeAndFiveStepLaws)
{
    struct Case
    {
        int index;
        float v;
        uint32_t step;
        float readBack;
    };
    const Case cases[] = {
        { kHiFrequency, 0.2499f, 0, 0.0f },    { kHiFrequency, 0.25f, 1, 0.5f },     { kHiFrequency, 0.7499f, 1, 0.5f },
        { kHiFrequency, 0.75f, 2, 1.0f },      { kLowFrequency, 1.0f, 2, 1.0f },     { kLowFrequency, 1.3f, 3, 1.5f },
        { kLowpassSlope, 0.124f, 0, 0.0f },    { kLowpassSlope, 0.125f, 1, 0.25f },  { kLowpassSlope, 0.375f, 2, 0.5f },
        { kLowpassSlope, 0.625f, 3, 0.75f },   { kLowpassSlope, 0.875f, 4, 1.0f },   { kLowpassSlope, 1.0f, 4, 1.0f },
        { kHighpassSlope, 1.2f, 5, 1.25f },    { kHighpassSlope, 0.0f, 0, 0.0f },
    };
    for (const auto& c : cases)
    {
        T9v210AudioProcessor p;
        p.setParameter (c.index, c.v);
        const auto& s = p.settings;
        const uint32_t stored = c.index == kHiFrequency    ? relaxedLoad (s.hiFrequency)
                                : c.index == kLowFrequency ? relaxedLoad (s.lowFrequency)
                                : c.index == kLowpassSlope ? relaxedLoad (s.lowpassSlope)
                                                           : relaxedLoad (s.highpassSlope);
        EXPECT_EQ (stored, c.step) << c.index << " " << c.v;
        EXPECT_FLOAT_EQ (p.getParameter (c.index), c.readBack) << c.index << " " << c.v;
    }
}

TEST (ParameterLaws, NegativeStepsAreStoredAsUnsigned)
{
    T9v210AudioProcessor p;
    p.setParameter (kHiFrequency, -1.0f); // (-2 + 0.5) truncates to -1
    EXPECT_EQ (relaxedLoad (p.settings.hiFrequency), 0xffffffffu);
    EXPECT_FLOAT_EQ (p.getParameter (kHiFrequency), 4294967295.0f * 0.5f);
    p.setParameter (kHiFrequency, -0.7f); // (-1.4 + 0.5) truncates to 0
    EXPECT_EQ (relaxedLoad (p.settings.hiFrequency), 0u);
}

TEST (ParameterLaws, SlopeCodes)
{
    const std::pair<uint32_t, int> cases[] = { { 0, 1 }, { 1, 2 }, { 2, 3 }, { 3, 4 }, { 4, 6 }, { 5, 2 }, { 0xffffffffu, 2 } };
    for (auto [step, code] : cases)
        EXPECT_EQ (laws::slopeCode (step), code) << step;
}

TEST (ParameterLaws, CornerFrequencies)
{
    EXPECT_NEAR (laws::cornerFrequencyHz (0.0), 20.0, 1e-6);
    EXPECT_NEAR (laws::cornerFrequencyHz (0.5), 20.0 * std::sqrt (1000.0), 1e-3);
    EXPECT_NEAR (laws::cornerFrequencyHz (1.0), 20000.0, 1e-3);
}

TEST (ParameterLaws, Switches)
{
    struct Case
    {
        int index;
        float v;
        bool expected;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        { kBypass, 0.1f, true },     { kBypass, 0.0f, false },    { kBypass, -0.0f, false },   { kBypass, nan, true },
        { kPolarity, 0.4f, false },  { kPolarity, 0.5f, true },   { kPolarity, nan, false },   { kEqOn, 0.49f, false },
        { kAnalog, 2.0f, true },     { kLink, -1.0f, false },     { kLowFilterOn, 0.5f, true }, { kHighFilterOn, 0.6f, true },
    };
    for (const auto& c : cases)
    {
        T9v210AudioProcessor p;
        p.setParameter (c.index, c.v);
        EXPECT_EQ (p.getParameter (c.index), c.expected ? 1.0f : 0.0f) << c.index << " " << c.v;
    }
}

TEST (ParameterLaws, LinkIsStoredOnly)
{
    T9v210AudioProcessor p;
    p.setParameter (kOutputLevel, 0.3f);
    const double before = relaxedLoad (p.settings.outputLevel);
    p.setParameter (kLink, 1.0f);
    p.setParameter (kInputGain, 0.9f);
    EXPECT_EQ (relaxedLoad (p.settings.outputLevel), before);
}

TEST (ParameterLaws, HostileValuesNeverCrash)
{
    const float values[] = { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), 1e30f, -1e30f, -10.0f, 10.0f,
                             std::numeric_limits<float>::denorm_min() };
    for (float v : values)
    {
        t9test::Harness h (2, 2, 44100.0, 256);
        for (int i = 0; i < kNumParameters; ++i)
            h.set (i, v);
        h.set (kBypass, 0.0f);
        for (int i = 0; i < kNumParameters; ++i)
            (void) h.processor.getParameter (i);
        auto buffer = t9test::sineBuffer (2, 256, 440.0, 44100.0, 0.5f);
        h.process (buffer);
    }
}

TEST (HostParameters, FrameworkSeesSeventeenInIndexOrder)
{
    T9v210AudioProcessor p;
    const auto& params = p.getParameters();
    ASSERT_EQ (params.size(), 17);
    for (const auto& row : nameRows)
    {
        auto* param = params[row.index];
        EXPECT_EQ (param->getParameterIndex(), row.index);
        EXPECT_EQ (param->getName (100), row.name);
        EXPECT_EQ (param->getDefaultValue(), row.reportedDefault);
        EXPECT_EQ (param->getText (0.3f, 100), "");
        EXPECT_FLOAT_EQ (param->getValue(), row.newInstanceValue);
    }
    params[kHiBoost]->setValueNotifyingHost (0.7f);
    EXPECT_DOUBLE_EQ (relaxedLoad (p.settings.hiBoost), static_cast<double> (0.7f));
    p.setParameterNotifyingHost (kPolarity, 1.0f);
    EXPECT_TRUE (relaxedLoad (p.settings.polarity));
    EXPECT_EQ (params[kInputGain]->getName (4), "Inpu");
}
