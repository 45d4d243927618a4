// The analog stages in the signal chain: noise, hum, soft clip and transformer, switched
// by "Analog"; driven through the processor where the chain matters.
#include "dsp/AnalogStages.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace Tessaro9V;
using t9test::Harness;

namespace
{
double decibels (double linear) { return 20.0 * std::log10 (linear); }

juce::AudioBuffer<float> silence (int channels, int samples)
{
    juce::AudioBuffer<float> b (channels, samples);
    b.clear();
    return b;
}

bool sameSamples (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    for (int c = 0; c < a.getNumChannels(); ++c)
        for (int i = 0; i < a.getNumSamples(); ++i)
            if (a.getSample (c, i) != b.getSample (c, i))
                return false;
    return true;
}

// Analog on, everything else off, gains at 0 dB.
void analogOnly (Harness& h)
{
    h.plainFrame();
    h.set (kAnalog, 1.0f);
}
} // namespace

// Uniform over [-1, 1) x 3.5e-5 on the scaled signal: bounds reached, mean 0, RMS of a
// uniform distribution (half-width / sqrt 3).
TEST (AnalogStages, NoiseHasTheRangeAndLevelOfTheScaledNoiseFloor)
{
    NoiseSource source;
    std::vector<float> x (1 << 20, 0.0f);
    analog::addNoise (x.data(), static_cast<int> (x.size()), source);

    double sum = 0.0, sumSquares = 0.0, lo = 0.0, hi = 0.0;
    for (float v : x)
    {
        sum += v;
        sumSquares += static_cast<double> (v) * v;
        lo = std::min (lo, static_cast<double> (v));
        hi = std::max (hi, static_cast<double> (v));
    }
    const double halfWidth = 3.5e-5;
    EXPECT_GE (lo, -halfWidth * 1.000001);
    EXPECT_LE (hi, halfWidth * 1.000001);
    EXPECT_LT (lo, -0.999 * halfWidth);
    EXPECT_GT (hi, 0.999 * halfWidth);
    EXPECT_NEAR (sum / static_cast<double> (x.size()), 0.0, 1.0e-7);
    EXPECT_NEAR (std::sqrt (sumSquares / static_cast<double> (x.size())), halfWidth / std::sqrt (3.0),
                 0.005 * halfWidth);
}

// Silence in, Analog on: the output is the noise floor (-106.8 dB peak, -111.6 dB RMS
// relative to full scale) plus a hum some 18 dB below it, raised a little (under 1.5 dB
// RMS) by the transformer's peaks and shelf. Each instance draws its own reproducible
// noise.
TEST (AnalogStages, SilenceInGivesTheNoiseFloorReproducibly)
{
    const auto render = []
    {
        Harness h (2, 2, 48000.0, 480);
        analogOnly (h);
        std::vector<juce::AudioBuffer<float>> blocks;
        for (int b = 0; b < 200; ++b)
        {
            blocks.push_back (silence (2, 480));
            h.process (blocks.back());
        }
        return blocks;
    };
    const auto run = render();
    const auto again = render();

    double sumSquares = 0.0, peak = 0.0;
    size_t count = 0;
    for (size_t b = 0; b < run.size(); ++b)
    {
        EXPECT_TRUE (sameSamples (run[b], again[b])) << "block " << b;
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 480; ++i)
            {
                const double v = run[b].getSample (c, i);
                sumSquares += v * v;
                peak = std::max (peak, std::abs (v));
                ++count;
            }
    }
    const double noiseRmsDb = decibels (3.5e-5 / std::sqrt (3.0) / 7.65);
    const double rmsDb = decibels (std::sqrt (sumSquares / static_cast<double> (count)));
    EXPECT_GT (rmsDb, noiseRmsDb);
    EXPECT_LT (rmsDb, noiseRmsDb + 1.5);
    EXPECT_GT (decibels (peak), decibels (3.5e-5 / 7.65) - 1.0);
    EXPECT_LT (decibels (peak), decibels (3.5e-5 / 7.65) + 4.0);
    EXPECT_FALSE (sameSamples (run[0], silence (2, 480)));
}

// y = 16 sign(x) tanh(|x/16|^3)^(1/3): transparent for small x, bounded by 16.
TEST (AnalogStages, SoftClipIsTransparentWhenSmallAndBoundedBy16)
{
    struct Case
    {
        float in, out, tolerance;
    };
    const float inf = std::numeric_limits<float>::infinity();
    for (const Case c : { Case{ 0.0f, 0.0f, 0.0f }, Case{ 1000.0f, 16.0f, 2.0e-6f }, Case{ -1000.0f, -16.0f, 2.0e-6f },
                          Case{ 1.0e30f, 16.0f, 2.0e-6f }, Case{ inf, 16.0f, 2.0e-6f }, Case{ -inf, -16.0f, 2.0e-6f },
                          Case{ 0.5f, 0.5f, 1.0e-6f }, Case{ -0.01f, -0.01f, 1.0e-8f }, Case{ 1.0f, 1.0f, 1.0e-5f },
                          Case{ 16.0f, 16.0f * std::cbrt (std::tanh (1.0f)), 1.0e-5f } })
    {
        float y = c.in;
        analog::softClip (&y, 1);
        EXPECT_NEAR (y, c.out, c.tolerance) << c.in;
    }

    std::vector<float> sweep;
    for (float x = -2000.0f; x <= 2000.0f; x += 0.37f)
        sweep.push_back (x);
    const auto in = sweep;
    analog::softClip (sweep.data(), static_cast<int> (sweep.size()));
    for (size_t i = 0; i < sweep.size(); ++i)
    {
        ASSERT_LE (std::abs (sweep[i]), 16.0f) << in[i];
        ASSERT_LE (std::abs (sweep[i]), std::abs (in[i]) * 1.000001f) << in[i];
        if (i > 0)
        {
            ASSERT_GE (sweep[i], sweep[i - 1]) << in[i];
        }
    }
}

// While Analog is off nothing analog moves: no noise is drawn and neither the hum nor
// the transformer is called, so switching back on continues exactly where a run that
// never switched off would be.
TEST (AnalogStages, AnalogOffLeavesNoiseHumAndTransformerWhereTheyWere)
{
    const int block = 512;
    Harness paused (2, 2, 48000.0, block), straight (2, 2, 48000.0, block);
    analogOnly (paused);
    analogOnly (straight);

    for (int b = 0; b < 5; ++b)
    {
        auto x = t9test::sineBuffer (2, block, 60.0, 48000.0, 0.8f);
        auto y = x;
        paused.process (x);
        straight.process (y);
        ASSERT_TRUE (sameSamples (x, y));
    }

    paused.set (kAnalog, 0.0f);
    for (int b = 0; b < 4; ++b)
    {
        auto x = b < 2 ? silence (2, block) : t9test::sineBuffer (2, block, 100.0, 48000.0, 0.9f);
        const auto in = x;
        paused.process (x);
        if (b < 2)
            EXPECT_TRUE (sameSamples (x, silence (2, block))) << "no noise, no hum";
        else
            for (int i = 0; i < block; ++i)
                ASSERT_NEAR (x.getSample (0, i), in.getSample (0, i), 1.0e-6f) << "no clip, no transformer";
    }
    paused.set (kAnalog, 1.0f);

    for (int b = 0; b < 5; ++b)
    {
        auto x = b < 3 ? silence (2, block) : t9test::sineBuffer (2, block, 60.0, 48000.0, 0.8f);
        auto y = x;
        paused.process (x);
        straight.process (y);
        ASSERT_TRUE (sameSamples (x, y)) << "block " << b;
    }
}

// The level for the LEDs is measured before the soft clip and the transformer: a signal
// that the clip squashes to a third still reads at its full level.
TEST (AnalogStages, LevelIsMeasuredBeforeTheClip)
{
    const float amplitude = 10.0f; // 76.5 on the scaled signal, clipped at 16
    float levels[2]{};
    for (const bool analog : { false, true })
    {
        Harness h (2, 2, 48000.0, 480);
        h.plainFrame();
        h.set (kAnalog, analog ? 1.0f : 0.0f);
        float outputPeak = 0.0f;
        for (int b = 0; b < 300; ++b)
        {
            auto x = t9test::sineBuffer (2, 480, 1000.0, 48000.0, amplitude); // whole periods per block
            h.process (x);
            outputPeak = std::max (outputPeak, x.getMagnitude (0, 0, 480));
        }
        levels[analog ? 1 : 0] = h.processor.meterLevel.load();
        if (analog)
        {
            EXPECT_LT (outputPeak, 0.4f * amplitude); // the clip is at work
        }
    }
    EXPECT_NEAR (levels[0], amplitude / std::sqrt (2.0f), 0.01f * amplitude);
    EXPECT_NEAR (levels[1], levels[0], 1.0e-4f * levels[0]);
}

namespace
{
// Everything on: EQ with both boosts, both filters at slope code 6, Analog.
void everythingOn (Harness& h)
{
    h.set (kEqOn, 1.0f);
    h.set (kHiBoost, 0.8f);
    h.set (kLowBoost, 0.8f);
    h.set (kLowFilterOn, 1.0f);
    h.set (kLowpassFrequency, 0.7f);
    h.set (kLowpassSlope, 1.0f);
    h.set (kHighFilterOn, 1.0f);
    h.set (kHighpassFrequency, 0.2f);
    h.set (kHighpassSlope, 1.0f);
    h.set (kAnalog, 1.0f);
}
} // namespace

// One bad input sample may spoil its own block, but from the next block on every channel
// is finite and bounded again.
TEST (AnalogStages, ChainRecoversFromABadSampleAtTheNextBlock)
{
    for (const float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 1.0e30f })
    {
        SCOPED_TRACE (bad);
        Harness h (2, 2, 48000.0, 512);
        everythingOn (h);
        auto first = t9test::sineBuffer (2, 512, 440.0, 48000.0, 0.3f);
        first.setSample (0, 200, bad);
        h.process (first);

        for (int b = 1; b < 100; ++b)
        {
            auto x = t9test::sineBuffer (2, 512, 440.0, 48000.0, 0.3f);
            h.process (x);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < 512; ++i)
                {
                    const float v = x.getSample (c, i);
                    ASSERT_TRUE (std::isfinite (v) && std::abs (v) < 8.0f)
                        << "block " << b << " channel " << c << ": " << v;
                }
        }
        EXPECT_TRUE (std::isfinite (h.processor.meterLevel.load()));
    }
}

// After a loud passage, silence never brings subnormal numbers to the output, with
// Analog off (decaying filters) or on.
TEST (AnalogStages, NoSubnormalOutputAfterALoudPassage)
{
    for (const bool analog : { false, true })
    {
        SCOPED_TRACE (analog);
        Harness h (2, 2, 48000.0, 512);
        everythingOn (h);
        h.set (kAnalog, analog ? 1.0f : 0.0f);
        for (int b = 0; b < 50; ++b)
        {
            auto x = t9test::sineBuffer (2, 512, 80.0, 48000.0, 1.5f);
            h.process (x);
        }
        for (int b = 0; b < 6 * 48000 / 512; ++b)
        {
            auto x = silence (2, 512);
            h.process (x);
            for (int c = 0; c < 2; ++c)
                for (int i = 0; i < 512; ++i)
                    ASSERT_NE (std::fpclassify (x.getSample (c, i)), FP_SUBNORMAL) << "block " << b;
        }
    }
}
