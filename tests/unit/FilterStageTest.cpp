// The filter stage through the processor, driven as a host drives it.
#include "support/ProcessorHarness.h"
#include "unit/FiltersTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace Tessaro9V;
using namespace filtertest;
using t9test::Harness;

namespace
{
// Channel 0 of a stereo processor as a process function; both channels get the signal.
std::function<void (float*, int)> throughProcessor (Harness& h)
{
    return [&h] (float* data, int n)
    {
        juce::AudioBuffer<float> buffer (2, n);
        buffer.copyFrom (0, 0, data, n);
        buffer.copyFrom (1, 0, data, n);
        h.process (buffer);
        std::copy (buffer.getReadPointer (0), buffer.getReadPointer (0) + n, data);
    };
}

// The corner a normalised frequency parameter stands for: 20 Hz * 1000^x.
double cornerOf (double x) { return 20.0 * std::pow (1000.0, x); }

juce::AudioBuffer<float> impulse (int samples)
{
    juce::AudioBuffer<float> b (2, samples);
    b.clear();
    b.setSample (0, 0, 1.0f);
    b.setSample (1, 0, -0.5f);
    return b;
}

void expectSameSamples (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int c = 0; c < a.getNumChannels(); ++c)
        for (int i = 0; i < a.getNumSamples(); ++i)
            ASSERT_EQ (a.getSample (c, i), b.getSample (c, i)) << c << " " << i;
}
} // namespace

TEST (FilterStage, HiBandSetBeforePreparationArrivesWithIt)
{
    // Values set before the first preparation reach the filters when it happens.
    auto processor = std::make_unique<T9v210AudioProcessor>();
    processor->setParameter (kHiBoost, 1.0f);
    processor->setParameter (kHiFrequency, 0.0f);
    processor->setParameter (kAnalog, 0.0f);
    processor->setRateAndBufferSizeDetails (48000.0, 512);
    processor->prepareToPlay (48000.0, 512);
    const auto process = [&] (float* data, int n)
    {
        juce::AudioBuffer<float> buffer (2, n);
        buffer.copyFrom (0, 0, data, n);
        buffer.copyFrom (1, 0, data, n);
        juce::MidiBuffer midi;
        processor->processBlock (buffer, midi);
        std::copy (buffer.getReadPointer (0), buffer.getReadPointer (0) + n, data);
    };
    EXPECT_NEAR (measureGainDb (process, 6000.0, 48000.0), 6.5, tolerance::statedDb);

    // A new step re-installs the peak with the boost it already has.
    processor->setParameter (kHiFrequency, 1.0f);
    EXPECT_NEAR (measureGainDb (process, 16000.0, 48000.0), 6.5, tolerance::statedDb);
    EXPECT_NEAR (measureGainDb (process, 6000.0, 48000.0),
                 toDb (peak (6000.0, 16000.0, 0.44, std::pow (10.0, 6.5 / 20.0), 48000.0)), tolerance::responseDb);
}

TEST (FilterStage, ParametersReachTheirFilters)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<int, float>> parameters;
        double frequency;
        double expectedGain;
    };
    const double fs = 48000.0;
    const double mid = cornerOf (0.5); // about 632.5 Hz
    const double hiGain = std::pow (10.0, 6.5 / 20.0);
    const auto lp6 = [&] (double f)
    { return lowPass2 (f, mid, 0.5176, fs) * lowPass2 (f, mid, 0.7071, fs) * lowPass2 (f, mid, 1.9319, fs); };
    const auto loGainAtHalf = 3.3492, loCornerAtHalf = 92.3; // step 0, boost 0.5

    const Case cases[] = {
        { "hi 10 kHz", { { kHiBoost, 1.0f }, { kHiFrequency, 0.5f } }, 10000.0, hiGain },
        { "low band",
          { { kLowBoost, 0.5f }, { kLowFrequency, 0.0f } },
          60.0,
          std::abs (1.0 + loGainAtHalf * onePole (60.0, loCornerAtHalf, fs)) },
        { "low-pass code 6",
          { { kLowFilterOn, 1.0f }, { kLowpassFrequency, 0.5f }, { kLowpassSlope, 1.0f } },
          1000.0,
          lp6 (1000.0) },
        { "low-pass code 1",
          { { kLowFilterOn, 1.0f }, { kLowpassFrequency, 0.5f }, { kLowpassSlope, 0.0f } },
          1000.0,
          std::abs (onePole (1000.0, mid, fs)) },
        { "high-pass code 4",
          { { kHighFilterOn, 1.0f }, { kHighpassFrequency, 0.5f }, { kHighpassSlope, 0.75f } },
          400.0,
          highPass2 (400.0, mid, 0.5412, fs) * highPass2 (400.0, mid, 1.3065, fs) },
        { "high-pass code 3",
          { { kHighFilterOn, 1.0f }, { kHighpassFrequency, 0.5f }, { kHighpassSlope, 0.5f } },
          400.0,
          highPass2 (400.0, mid, 1.0, fs) * std::abs (1.0 - onePole (400.0, mid, fs)) },
    };
    for (const auto& c : cases)
    {
        Harness h (2, 2, fs, 512);
        h.plainFrame();
        h.set (kEqOn, 1.0f);
        for (const auto& [index, value] : c.parameters)
            h.set (index, value);
        EXPECT_NEAR (measureGainDb (throughProcessor (h), c.frequency, fs), toDb (c.expectedGain),
                     tolerance::responseDb)
            << c.what;
    }
}

TEST (FilterStage, SecondPreparationStartsFromSilenceWithTheSettings)
{
    const auto configure = [] (Harness& h)
    {
        h.plainFrame();
        h.set (kEqOn, 1.0f);
        h.set (kHiBoost, 0.8f);
        h.set (kLowBoost, 0.6f);
        h.set (kLowFilterOn, 1.0f);
        h.set (kLowpassFrequency, 0.7f);
        h.set (kLowpassSlope, 1.0f);
        h.set (kHighFilterOn, 1.0f);
        h.set (kHighpassSlope, 0.5f);
    };
    Harness fresh;
    configure (fresh);
    auto expected = impulse (512);
    fresh.process (expected);

    Harness used;
    configure (used);
    auto loud = t9test::sineBuffer (2, 512, 120.0, 48000.0, 0.9f);
    used.process (loud);
    used.processor.prepareToPlay (48000.0, 512);
    auto actual = impulse (512);
    used.process (actual);
    expectSameSamples (actual, expected);
}

TEST (FilterStage, SwitchedOffFiltersLeaveTheFrameAsItIs)
{
    // Configured to colour heavily, but EQ and both filters off: the same samples as a
    // processor that never touched a filter parameter.
    Harness coloured, untouched;
    coloured.plainFrame();
    untouched.plainFrame();
    const std::pair<int, float> colouring[] = { { kHiBoost, 1.0f },           { kLowBoost, 1.0f },
                                                { kLowpassFrequency, 0.1f },  { kLowpassSlope, 1.0f },
                                                { kHighpassFrequency, 0.9f }, { kHighpassSlope, 0.0f } };
    for (const auto& [index, value] : colouring)
        coloured.set (index, value);
    auto a = t9test::sineBuffer (2, 512, 1000.0, 48000.0, 0.5f);
    auto b = a;
    coloured.process (a);
    untouched.process (b);
    expectSameSamples (a, b);
}

TEST (FilterStage, HostileFilterParametersGiveFiniteOutput)
{
    const float hostile[] = { std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity(),
                              -10.0f,
                              10.0f,
                              1.0e30f };
    const int indices[] = { kHiBoost,       kHiFrequency,      kLowBoost,     kLowFrequency, kEqOn,
                            kAnalog,        kLowpassFrequency, kLowpassSlope, kLowFilterOn,  kHighpassFrequency,
                            kHighpassSlope, kHighFilterOn };
    for (const bool analog : { false, true })
        for (const int index : indices)
            for (const float value : hostile)
            {
                Harness h (2, 2, 44100.0, 512);
                for (const int on : { kEqOn, kLowFilterOn, kHighFilterOn })
                    h.set (on, 1.0f);
                h.set (kAnalog, analog ? 1.0f : 0.0f);
                h.set (kHiBoost, 1.0f);
                h.set (kLowBoost, 1.0f);
                h.set (kLowpassSlope, 1.0f);
                h.set (kHighpassSlope, 1.0f);
                h.set (index, value);
                for (int n = 0; n < 4; ++n)
                {
                    auto buffer = t9test::sineBuffer (2, 512, 70.0 + 4000.0 * n, 44100.0, 1.0f);
                    h.process (buffer);
                    for (int i = 0; i < 512; ++i)
                        ASSERT_TRUE (std::isfinite (buffer.getSample (0, i)) && std::isfinite (buffer.getSample (1, i)))
                            << "index " << index << " value " << value << " analog " << analog;
                }
                EXPECT_TRUE (std::isfinite (h.processor.meterLevel.load()));
            }
}

TEST (FilterStage, NonFiniteInputRecoversByTheNextBlock)
{
    for (const float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity() })
    {
        Harness h;
        h.plainFrame();
        for (const int on : { kEqOn, kLowFilterOn, kHighFilterOn })
            h.set (on, 1.0f);
        h.set (kHiBoost, 1.0f);
        h.set (kLowBoost, 0.5f);
        h.set (kLowpassSlope, 1.0f);
        h.set (kHighpassSlope, 1.0f);

        auto poisoned = t9test::sineBuffer (2, 512, 440.0, 48000.0, 0.5f);
        poisoned.setSample (0, 17, bad);
        poisoned.setSample (1, 300, bad);
        h.process (poisoned);

        auto next = t9test::sineBuffer (2, 512, 440.0, 48000.0, 0.5f);
        h.process (next);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                ASSERT_TRUE (std::isfinite (next.getSample (c, i))) << bad;
    }
}
