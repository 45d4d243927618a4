// The equaliser-and-filters block on its own: responses, state behaviour, robustness.
#include "dsp/Tessaro9VFilters.h"
#include "unit/FiltersTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

using namespace Tessaro9V;
using namespace filtertest;

namespace
{
// 10^(6.5/20) - 1 and 10^(28/20), from their dB values.
const double hiPerBoost = std::pow (10.0, 6.5 / 20.0) - 1.0;
const double plus28dB = std::pow (10.0, 28.0 / 20.0);

// A block prepared for one channel, with the analog high band off unless asked for.
struct Rig
{
    explicit Rig (double rate = 48000.0, int channels = 1) : fs (rate)
    {
        block.prepareToPlay (rate, channels);
        block.analog = false;
    }

    std::function<void (float*, int)> channel (int c = 0)
    {
        return [this, c] (float* d, int n) { block.processSamples (d, n, c); };
    }

    void allOn()
    {
        block.eqOn = true;
        block.lpOn = true;
        block.hpOn = true;
    }

    // Every stage doing something audible.
    void configureHeavily()
    {
        block.setHi (2, 1.0);
        block.setLo (0, 0.5);
        block.setLP (3000.0, 6);
        block.setHP (80.0, 3);
        allOn();
    }

    Tessaro9VFilters block;
    double fs;
};

std::vector<float> noise (int n, unsigned seed = 1)
{
    std::mt19937 rng (seed);
    std::uniform_real_distribution<float> dist (-0.5f, 0.5f);
    std::vector<float> v (static_cast<size_t> (n));
    for (auto& x : v)
        x = dist (rng);
    return v;
}

std::vector<float> sine (int n, double f, double fs, float amplitude, int offset = 0)
{
    std::vector<float> v (static_cast<size_t> (n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t> (i)] = amplitude * static_cast<float> (std::sin (2.0 * pi * f * (i + offset) / fs));
    return v;
}

std::vector<float> run (Tessaro9VFilters& block, std::vector<float> data, int channel = 0)
{
    block.processSamples (data.data(), static_cast<int> (data.size()), channel);
    return data;
}

// The soft-saturation curve, written out for the test.
double curveP (double x)
{
    if (x < -3.0)
        return -1.0;
    if (x > 3.0)
        return 1.0;
    return x * (x * x + 27.0) / (9.0 * x * x + 27.0);
}

void expectResponse (const std::function<void (float*, int)>& process, double f, double fs, double expectedGain,
                     const char* what)
{
    const double expectedDb = toDb (expectedGain);
    EXPECT_NEAR (measureGainDb (process, f, fs), expectedDb, tolerance::forExpectedDb (expectedDb))
        << what << " at " << f << " Hz";
}
} // namespace

//==============================================================================
TEST (FiltersBlock, HighBandIsThePeakOfItsBoost)
{
    struct Case
    {
        int step;
        double centre;
        double boost;
    };
    const Case cases[] = { { 0, 6000.0, 1.0 },   { 1, 10000.0, 1.0 }, { 2, 16000.0, 1.0 }, { 1, 10000.0, 0.5 },
                           { 2, 16000.0, -0.5 }, { 7, 6000.0, 1.0 },  { 0, 6000.0, 10.0 } };
    for (const auto& c : cases)
    {
        Rig rig;
        rig.block.eqOn = true;
        rig.block.setHi (c.step, c.boost);
        const double g = 1.0 + hiPerBoost * c.boost;
        if (c.boost == 1.0)
        {
            EXPECT_NEAR (measureGainDb (rig.channel(), c.centre, rig.fs), 6.5, tolerance::statedDb) << c.step;
        }
        for (const double f : { c.centre, c.centre / 2.0, c.centre / 8.0, std::min (c.centre * 1.4, 23000.0) })
            expectResponse (rig.channel(), f, rig.fs, peak (f, c.centre, 0.44, g, rig.fs), "hi band");
    }
}

TEST (FiltersBlock, ZeroBoostsAreAnIdentityAndTheAnalogBandAddsItsOffset)
{
    Rig rig;
    rig.block.setHi (1, 0.0);
    rig.block.setLo (1, 0.0);
    rig.block.eqOn = true;
    const auto in = noise (2048);
    EXPECT_EQ (run (rig.block, in), in);
    EXPECT_EQ (rig.block.getLoGain(), 0.0);

    // With the analog band, even a silent input gets 0.1 (P(0.01) - 0.01), about -3e-8.
    rig.block.analog = true;
    const auto out = run (rig.block, std::vector<float> (512, 0.0f));
    const double offset = 0.1 * (curveP (0.01) - 0.01);
    for (const float y : out)
        ASSERT_NEAR (y, offset, 1.0e-9);
}

TEST (FiltersBlock, AnalogHighBandSaturatesOnlyWhatItAdds)
{
    struct Case
    {
        double boost;
        float amplitude;
        bool compressed; // the added signal reaches the curve's bend
    };
    for (const Case c :
         { Case{ 1.0, 0.01f, false }, Case{ 1.0, 20.0f, true }, Case{ 10.0, 2.0f, true }, Case{ 10.0, 0.002f, false } })
    {
        Rig plain, analog;
        for (auto* r : { &plain, &analog })
        {
            r->block.eqOn = true;
            r->block.setHi (1, c.boost);
        }
        analog.block.analog = true;

        const auto in = sine (4096, 10000.0, 48000.0, c.amplitude);
        const auto linear = run (plain.block, in);
        const auto out = run (analog.block, in);
        for (size_t i = 0; i < in.size(); ++i)
        {
            const double d = static_cast<double> (linear[i]) - in[i];
            const double expected = in[i] + 0.9 * d + 0.1 * (curveP (d + 0.01) - 0.01);
            ASSERT_NEAR (out[i], expected, 2.0e-6 * (1.0 + std::abs (expected))) << i;
        }

        // Small signals see the linear peak; large ones are compressed at the centre.
        const double linearDb = toDb (1.0 + hiPerBoost * c.boost);
        const double measured = measureGainDb (analog.channel(), 10000.0, 48000.0, c.amplitude);
        if (c.compressed)
        {
            EXPECT_LT (measured, linearDb - 0.3) << c.boost;
        }
        else
        {
            EXPECT_NEAR (measured, linearDb, tolerance::responseDb) << c.boost;
        }
    }
}

TEST (FiltersBlock, LowBandGainFollowsThePotentiometer)
{
    struct Row
    {
        double boost, loGain, lowFrequencyDb;
    };
    const Row rows[] = { { 0.025, 0.2757, 2.12 }, { 0.1, 1.0008, 6.02 },   { 0.25, 2.1108, 9.86 },
                         { 0.5, 3.3492, 12.77 },  { 0.75, 4.1633, 14.26 }, { 1.0, 4.7394, 15.18 } };
    for (const auto& row : rows)
    {
        Rig rig;
        rig.block.setLo (0, row.boost);
        EXPECT_NEAR (rig.block.getLoGain(), row.loGain, tolerance::tableGain) << row.boost;
        EXPECT_NEAR (toDb (1.0 + rig.block.getLoGain()), row.lowFrequencyDb, tolerance::statedDb) << row.boost;
    }

    // 0.025 is the last flat setting: the same +2.12 dB everywhere.
    Rig flat;
    flat.block.eqOn = true;
    flat.block.setLo (2, 0.025);
    for (const double f : { 30.0, 1000.0, 15000.0 })
        EXPECT_NEAR (measureGainDb (flat.channel(), f, flat.fs), 2.12, tolerance::statedDb) << f;

    // Nothing, negative or infinitely negative: the band adds nothing.
    for (const double none : { 0.0, -10.0, -std::numeric_limits<double>::infinity() })
    {
        Rig rig;
        rig.block.setLo (0, 0.5);
        rig.block.setLo (0, none);
        EXPECT_EQ (rig.block.getLoGain(), 0.0) << none;
    }
}

TEST (FiltersBlock, LowBandCornerFollowsTheCapacitor)
{
    struct Row
    {
        int step;
        double boost, loGain, corner;
    };
    const Row rows[] = { { 0, 0.1, 1.0008, 276.8 },  { 0, 0.25, 2.1108, 138.4 }, { 0, 0.5, 3.3492, 92.3 },
                         { 0, 1.0, 4.7394, 69.2 },   { 1, 0.1, 1.0008, 406.4 },  { 1, 0.25, 2.1108, 203.2 },
                         { 1, 0.5, 3.3492, 135.5 },  { 1, 1.0, 4.7394, 101.6 },  { 2, 0.1, 1.0008, 868.1 },
                         { 2, 0.25, 2.1108, 434.1 }, { 2, 0.5, 3.3492, 289.4 },  { 2, 1.0, 4.7394, 217.0 },
                         { 9, 1.0, 4.7394, 69.2 } };
    for (const auto& row : rows)
    {
        Rig rig;
        rig.block.eqOn = true;
        rig.block.setLo (row.step, row.boost);
        const double a = rig.block.getChannelState (0)->loBand.getA();
        EXPECT_NEAR (-std::log (1.0 - a) * rig.fs / (2.0 * pi), row.corner, tolerance::tableCornerHz) << row.step;
        for (const double f : { row.corner / 4.0, row.corner, row.corner * 4.0 })
            expectResponse (rig.channel(), f, rig.fs, std::abs (1.0 + row.loGain * onePole (f, row.corner, rig.fs)),
                            "low band");
    }
}

TEST (FiltersBlock, LowBandCornerStaysBelowHalfTheSampleRate)
{
    // Just above the flat range with the smallest capacitor the corner would be ~3.04 kHz.
    const double boost = 0.02501;
    const double pot = 10000.0 * boost, loaded = 1.0 / (1.0 / pot + 1.0 / 20000.0);
    const double g = 0.5 * loaded * plus28dB / (11000.0 + loaded);
    const double unlimited = 1.0 / (2.0 * pi * 0.22e-6 * (pot * 5000.0 / (pot + 5000.0)));
    ASSERT_NEAR (unlimited, 3040.0, 5.0);

    for (const double fs : { 2000.0, 5000.0, 48000.0 })
    {
        Rig rig (fs);
        rig.block.eqOn = true;
        rig.block.setLo (2, boost);
        const double corner = std::min (unlimited, 0.49 * fs);
        for (const double f : { 0.1 * fs, 0.3 * fs, 0.45 * fs })
            expectResponse (rig.channel(), f, fs, std::abs (1.0 + g * onePole (f, corner, fs)), "limited low band");
    }
}

TEST (FiltersBlock, LowPassAndHighPassHaveTheirSlopes)
{
    const double fs = 48000.0, fc = 1000.0;
    const auto first = [=] (double f) { return onePole (f, fc, fs); };
    using Shape = std::function<double (double)>;
    struct Case
    {
        bool lowPass;
        int code;
        Shape shape;
    };
    const Case cases[] = {
        { true, 1, [=] (double f) { return std::abs (first (f)); } },
        { true, 2, [=] (double f) { return std::pow (std::abs (first (f)), 2.0); } },
        { true, 4, [=] (double f) { return std::pow (std::abs (first (f)), 4.0); } },
        { true, 6,
          [=] (double f)
          { return lowPass2 (f, fc, 0.5176, fs) * lowPass2 (f, fc, 0.7071, fs) * lowPass2 (f, fc, 1.9319, fs); } },
        { false, 1, [=] (double f) { return std::abs (1.0 - first (f)); } },
        { false, 2, [=] (double f) { return highPass2 (f, fc, 0.7071, fs); } },
        { false, 3, [=] (double f) { return highPass2 (f, fc, 1.0, fs) * std::abs (1.0 - first (f)); } },
        { false, 4, [=] (double f) { return highPass2 (f, fc, 0.5412, fs) * highPass2 (f, fc, 1.3065, fs); } },
        { false, 6,
          [=] (double f)
          { return highPass2 (f, fc, 0.5176, fs) * highPass2 (f, fc, 0.7071, fs) * highPass2 (f, fc, 1.9319, fs); } },
    };
    for (const auto& c : cases)
    {
        Rig rig (fs);
        if (c.lowPass)
        {
            rig.block.lpOn = true;
            rig.block.setLP (fc, c.code);
        }
        else
        {
            rig.block.hpOn = true;
            rig.block.setHP (fc, c.code);
        }
        for (const double f : { fc / 4.0, fc / 1.5, fc, fc * 1.5, fc * 4.0 })
            expectResponse (rig.channel(), f, fs, c.shape (f), c.lowPass ? "low-pass" : "high-pass");
        if (c.code == 6) // the sixth order is 3 dB down at its corner
        {
            EXPECT_NEAR (toDb (c.shape (fc)), -3.01, 0.01);
        }
    }
}

TEST (FiltersBlock, CornersStayBelowHalfTheSampleRate)
{
    // At 44.1 kHz and above the top of the range is untouched; below, it is held at 0.49 fs.
    struct Case
    {
        double fs, requested, used;
    };
    for (const Case c : { Case{ 44100.0, 20000.0, 20000.0 }, Case{ 32000.0, 20000.0, 15680.0 },
                          Case{ 22050.0, 1.0e30, 0.49 * 22050.0 } })
    {
        Rig lp (c.fs), hp (c.fs);
        lp.block.lpOn = true;
        lp.block.setLP (c.requested, 6);
        hp.block.hpOn = true;
        hp.block.setHP (c.requested, 2);
        for (const double f : { 0.3 * c.fs, 0.45 * c.fs })
        {
            expectResponse (lp.channel(), f, c.fs,
                            lowPass2 (f, c.used, 0.5176, c.fs) * lowPass2 (f, c.used, 0.7071, c.fs) *
                                lowPass2 (f, c.used, 1.9319, c.fs),
                            "limited low-pass");
            expectResponse (hp.channel(), f, c.fs, highPass2 (f, c.used, 0.7071, c.fs), "limited high-pass");
        }
    }
}

//==============================================================================
TEST (FiltersBlock, SettersBeforePreparationOnlyStoreTheSlopeCodes)
{
    Tessaro9VFilters block;
    block.setHi (1, 1.0);
    block.setLo (0, 1.0);
    block.setLP (1000.0, 6);
    block.setHP (1000.0, 4);
    EXPECT_EQ (block.getLoGain(), 0.0);
    EXPECT_EQ (block.getLpSlope(), 6);
    EXPECT_EQ (block.getHpSlope(), 4);
    EXPECT_EQ (block.getNumChannelStates(), 0);

    // New channel states pass everything unchanged until configured.
    block.prepareToPlay (48000.0, 2);
    block.analog = false;
    block.eqOn = true;
    block.lpOn = true;
    block.hpOn = true;
    const auto in = noise (1000);
    EXPECT_EQ (run (block, in, 0), in);
    EXPECT_EQ (run (block, in, 1), in);
}

TEST (FiltersBlock, EveryPreparationStartsFromSilentStates)
{
    const auto impulse = []
    {
        std::vector<float> v (2048, 0.0f);
        v[0] = 1.0f;
        return v;
    }();

    Rig fresh;
    fresh.configureHeavily();
    const auto expected = run (fresh.block, impulse);

    Rig used;
    used.configureHeavily();
    run (used.block, noise (5000));
    used.block.prepareToPlay (48000.0, 1);
    used.configureHeavily();
    EXPECT_EQ (run (used.block, impulse), expected);
    EXPECT_EQ (used.block.getNumChannelStates(), 1);
}

TEST (FiltersBlock, LowPassSlopeChangesKeepEachPathsState)
{
    const auto a = noise (700, 1), b = noise (700, 2), c = noise (700, 3);

    // 6 -> 2 -> 6: the biquads pause during code 2 and go on from where they stopped.
    Rig switched;
    switched.block.lpOn = true;
    switched.block.setLP (2000.0, 6);
    run (switched.block, a);
    switched.block.setLP (2000.0, 2);
    const auto duringTwo = run (switched.block, b);
    switched.block.setLP (2000.0, 6);
    const auto afterSwitch = run (switched.block, c);

    Rig sixOnly;
    sixOnly.block.lpOn = true;
    sixOnly.block.setLP (2000.0, 6);
    run (sixOnly.block, a);
    EXPECT_EQ (afterSwitch, run (sixOnly.block, c));

    // Code 2 runs two one-poles, untouched (silent) while code 6 ran.
    Rig twoOnly;
    twoOnly.block.lpOn = true;
    twoOnly.block.setLP (2000.0, 2);
    EXPECT_EQ (duringTwo, run (twoOnly.block, b));
}

TEST (FiltersBlock, UnknownHighPassCodesLeaveTheSectionsAlone)
{
    Rig reference, subject;
    for (auto* r : { &reference, &subject })
    {
        r->block.hpOn = true;
        r->block.setHP (300.0, 3);
    }
    for (const int code : { 0, 5, -1, 7, 100 })
    {
        subject.block.setHP (5000.0, code);
        EXPECT_EQ (subject.block.getHpSlope(), code);
        const auto in = noise (600, static_cast<unsigned> (code + 10));
        EXPECT_EQ (run (subject.block, in), run (reference.block, in)) << code;
    }
}

TEST (FiltersBlock, SwitchedOffStagesLeaveSamplesBitExact)
{
    Rig rig;
    rig.configureHeavily();
    rig.block.analog = true;
    rig.block.eqOn = false;
    rig.block.lpOn = false;
    rig.block.hpOn = false;
    const auto in = noise (3000);
    EXPECT_EQ (run (rig.block, in), in);
}

TEST (FiltersBlock, IgnoresChannelsWithoutStateAndEmptyBlocks)
{
    Rig rig;
    rig.configureHeavily();
    const auto in = noise (256);
    EXPECT_EQ (run (rig.block, in, 1), in);
    EXPECT_EQ (run (rig.block, in, -1), in);

    run (rig.block, in);
    const double before = rig.block.getChannelState (0)->loBand.getState();
    float sample = 0.5f;
    rig.block.processSamples (&sample, 0, 0);
    EXPECT_EQ (sample, 0.5f);
    EXPECT_EQ (rig.block.getChannelState (0)->loBand.getState(), before);
}

TEST (FiltersBlock, BlocksLongerThanTheScratchMatchShortBlocks)
{
    const int length = 3 * Tessaro9VFilters::scratchSize + 17;
    const auto in = sine (length, 440.0, 48000.0, 0.3f);
    Rig whole, pieces;
    for (auto* r : { &whole, &pieces })
    {
        r->configureHeavily();
        r->block.analog = true;
    }
    const auto once = run (whole.block, in);
    std::vector<float> chunked = in;
    for (int start = 0; start < length; start += 512)
        pieces.block.processSamples (chunked.data() + start, std::min (512, length - start), 0);
    EXPECT_EQ (once, chunked);
}

TEST (FiltersBlock, RecoversAtTheNextBlockAfterANonFiniteSample)
{
    for (const bool analog : { false, true })
        for (const float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity() })
        {
            Rig rig;
            rig.configureHeavily();
            rig.block.setHP (80.0, 6);
            rig.block.analog = analog;
            auto poisoned = sine (512, 200.0, 48000.0, 0.5f);
            poisoned[100] = bad;
            run (rig.block, poisoned);
            for (int b = 0; b < 3; ++b)
                for (const float y : run (rig.block, sine (512, 200.0, 48000.0, 0.5f, 512 * (b + 1))))
                    ASSERT_TRUE (std::isfinite (y)) << bad << " analog " << analog;
        }
}
