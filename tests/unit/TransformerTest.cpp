// The transformer block: dynamic high-pass, peaks, saturation stage and high shelf.
#include "dsp/Tessaro9VTransfo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

using namespace Tessaro9V;

namespace
{
constexpr double pi = 3.141592653589793;

std::vector<float> cosine (double frequency, double rate, double amplitude, int samples, int offset = 0)
{
    std::vector<float> s (static_cast<size_t> (samples));
    for (int i = 0; i < samples; ++i)
        s[static_cast<size_t> (i)] =
            static_cast<float> (amplitude * std::cos (2.0 * pi * frequency * (i + offset) / rate));
    return s;
}

// Steady-state gain of a section at one frequency, in dB: the output's and the input's
// components at that frequency, found by correlation over the last half of four seconds.
double measuredGainDb (const BiquadSection& section, double frequency, double rate)
{
    BiquadSection probe (section); // coefficients only, history at zero
    const int total = static_cast<int> (4.0 * rate);
    auto x = cosine (frequency, rate, 0.01, total);
    auto y = x;
    probe.process (y.data(), total);

    std::complex<double> in, out;
    for (int i = total / 2; i < total; ++i)
    {
        const auto ref = std::polar (1.0, -2.0 * pi * frequency * i / rate);
        in += static_cast<double> (x[static_cast<size_t> (i)]) * ref;
        out += static_cast<double> (y[static_cast<size_t> (i)]) * ref;
    }
    return 20.0 * std::log10 (std::abs (out) / std::abs (in));
}

void processInBlocks (Tessaro9VTransfo& t, std::vector<float>& data, int channel, int block = 512)
{
    for (size_t start = 0; start < data.size(); start += static_cast<size_t> (block))
        t.processSamples (data.data() + start,
                          static_cast<int> (std::min (data.size() - start, static_cast<size_t> (block))), channel);
}
} // namespace

TEST (Transformer, SilenceInGivesExactSilenceOut)
{
    Tessaro9VTransfo t;
    t.prepareToPlay (48000.0, 2);
    for (int channel = 0; channel < 2; ++channel)
    {
        std::vector<float> data (48000, 0.0f);
        processInBlocks (t, data, channel);
        for (float y : data)
            ASSERT_EQ (y, 0.0f);
    }
}

// Small signals pass the saturation stage untouched; large low-frequency ones are reshaped.
// The integrated level k h follows from the leaky integrator's gain 1 / |1 - r e^-jw|.
TEST (Transformer, SaturationStageIsTransparentWhenSmallAndShapesLowFrequencies)
{
    const double rate = 44100.0;
    const double k = 300.0 / rate;
    const double r = std::exp (-1.0 / (0.0025 * rate));

    struct Case
    {
        double frequency, amplitude;
        bool reshaped;
    };
    for (const Case c : { Case{ 1000.0, 0.001, false }, Case{ 40.0, 1.0, true }, Case{ 1000.0, 1.0, false },
                          Case{ 5000.0, 1.0, false } })
    {
        SCOPED_TRACE (testing::Message() << c.frequency << " Hz, amplitude " << c.amplitude);
        TransfoSaturation stage;
        stage.init (rate);
        const int total = static_cast<int> (rate);
        const auto x = cosine (c.frequency, rate, c.amplitude, total);
        double peakKh = 0.0, maxDeviation = 0.0;
        for (int i = 0; i < total; ++i)
        {
            float y = x[static_cast<size_t> (i)];
            stage.process (&y, 1, k);
            if (i > total / 2)
            {
                peakKh = std::max (peakKh, std::abs (k * stage.integratorState()));
                maxDeviation = std::max (maxDeviation, std::abs (static_cast<double> (y) - x[static_cast<size_t> (i)]));
            }
        }
        const double w = 2.0 * pi * c.frequency / rate;
        const double expectedKh = k * c.amplitude / std::abs (1.0 - r * std::polar (1.0, -w));
        EXPECT_NEAR (peakKh, expectedKh, 0.01 * expectedKh);

        if (c.amplitude < 0.01)
            EXPECT_LT (maxDeviation, 1.0e-10); // unchanged within rounding
        else if (c.reshaped)
            EXPECT_GT (maxDeviation, 0.01 * c.amplitude);
        else
            EXPECT_LT (maxDeviation, 0.01 * c.amplitude);
    }
}

// Quiet: the 42 Hz, Q 1 high-pass (0 dB at its corner). A full-scale sine drives the
// control to 1: the 18 Hz, Q 0.7071 high-pass (-3 dB at its corner). 0.001 keeps it near 0.
TEST (Transformer, LevelFollowerMovesTheHighPassBetweenItsTwoSettings)
{
    const double rate = 44100.0;
    {
        Tessaro9VTransfo t;
        t.prepareToPlay (rate, 1);
        const auto& hp = t.getChannelState (0)->dynamicHiPass;
        EXPECT_EQ (hp.control(), 0.0);
        EXPECT_NEAR (measuredGainDb (hp.section(), 42.0, rate), 0.0, 0.02);
    }
    for (const double frequency : { 40.0, 1000.0, 5000.0 })
    {
        SCOPED_TRACE (frequency);
        Tessaro9VTransfo t;
        t.prepareToPlay (rate, 1);
        const auto& hp = t.getChannelState (0)->dynamicHiPass;
        auto x = cosine (frequency, rate, 1.0, static_cast<int> (rate));
        double minControl = 1.0;
        for (size_t i = 0; i < x.size(); ++i)
        {
            t.processSamples (&x[i], 1, 0);
            if (i > x.size() / 2)
                minControl = std::min (minControl, hp.control());
        }
        EXPECT_GT (minControl, frequency < 100.0 ? 0.99 : 0.999);
        if (frequency > 100.0)
        {
            EXPECT_NEAR (measuredGainDb (hp.section(), 18.0, rate), 20.0 * std::log10 (0.7071), 0.02);
        }
    }
    {
        Tessaro9VTransfo t;
        t.prepareToPlay (rate, 1);
        auto x = cosine (1000.0, rate, 0.001, static_cast<int> (rate));
        processInBlocks (t, x, 0);
        // The follower settles at the mean of |x|, 0.001 * 2 / pi; c = P(5 e) ~ 5 e.
        EXPECT_NEAR (t.getChannelState (0)->dynamicHiPass.control(), 5.0 * 0.001 * 2.0 / pi, 0.0003);
    }
}

// At the Nyquist frequency the shelf's gain is its full gain; at its corner, 0.45 fs,
// half of it in dB. The gain in dB is (fs / 42 kHz)^2.
TEST (Transformer, HighShelfGainFollowsTheSampleRate)
{
    struct Case
    {
        double rate, gainDb;
    };
    for (const Case c : { Case{ 44100.0, 1.1025 }, Case{ 48000.0, 1.3061 }, Case{ 88200.0, 4.41 },
                          Case{ 96000.0, 5.2245 }, Case{ 176400.0, 17.64 }, Case{ 192000.0, 20.898 } })
    {
        SCOPED_TRACE (c.rate);
        Tessaro9VTransfo t;
        t.prepareToPlay (c.rate, 1);
        const auto& shelf = t.getChannelState (0)->highShelf;
        EXPECT_NEAR (measuredGainDb (shelf, c.rate / 2.0, c.rate), c.gainDb, 0.002 + 1.0e-4 * c.gainDb);
        EXPECT_NEAR (measuredGainDb (shelf, 0.45 * c.rate, c.rate), c.gainDb / 2.0, 0.002 + 1.0e-4 * c.gainDb);
        EXPECT_NEAR (measuredGainDb (shelf, 100.0, c.rate), 0.0, 0.01);
    }
}

// A second prepareToPlay starts from zero history; releaseResources keeps everything.
TEST (Transformer, PrepareClearsHistoryAndReleaseKeepsIt)
{
    const double rate = 48000.0;
    const auto loud = cosine (30.0, rate, 12.0, 24000);
    const auto next = cosine (440.0, rate, 0.5, 4096);

    const auto run = [&] (Tessaro9VTransfo& t)
    {
        auto y = next;
        processInBlocks (t, y, 1);
        return y;
    };
    const auto drive = [&] (Tessaro9VTransfo& t)
    {
        auto y = loud;
        processInBlocks (t, y, 1);
    };

    Tessaro9VTransfo fresh, released, kept, reprepared;
    for (auto* t : { &fresh, &released, &kept, &reprepared })
        t->prepareToPlay (rate, 2);
    for (auto* t : { &released, &kept, &reprepared })
        drive (*t);

    released.releaseResources();
    reprepared.prepareToPlay (rate, 2);

    const auto afterKept = run (kept);
    EXPECT_EQ (run (released), afterKept);
    const auto afterFresh = run (fresh);
    EXPECT_EQ (run (reprepared), afterFresh);
    EXPECT_NE (afterKept, afterFresh);
}

// NaN, infinity and huge values: the block after the bad sample is finite again.
TEST (Transformer, RecoversFromABadSampleAtTheNextBlock)
{
    const double rate = 48000.0;
    for (const float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(), 1.0e30f })
    {
        SCOPED_TRACE (bad);
        Tessaro9VTransfo t;
        t.prepareToPlay (rate, 1);
        auto x = cosine (1000.0, rate, 0.5, 512);
        x[100] = bad;
        t.processSamples (x.data(), 512, 0);
        for (int block = 1; block < 40; ++block)
        {
            auto y = cosine (1000.0, rate, 0.5, 512, block * 512);
            t.processSamples (y.data(), 512, 0);
            for (float v : y)
                ASSERT_TRUE (std::isfinite (v)) << "block " << block;
        }
        const auto* state = t.getChannelState (0);
        EXPECT_TRUE (std::isfinite (state->dynamicHiPass.envelopeLevel()));
        EXPECT_TRUE (std::isfinite (state->dynamicHiPass.control()));
    }
}

// With no flush-to-zero mode set, a loud passage followed by silence decays to exact
// zero without passing through subnormal numbers, in the output or in the history.
TEST (Transformer, DecaysToZeroWithoutSubnormals)
{
    const double rate = 44100.0;
    Tessaro9VTransfo t;
    t.prepareToPlay (rate, 1);
    auto loud = cosine (40.0, rate, 16.0, 22050);
    processInBlocks (t, loud, 0);

    const auto* state = t.getChannelState (0);
    const auto notSubnormal = [] (double v) { return std::fpclassify (v) != FP_SUBNORMAL; };
    std::vector<float> silence (512);
    for (int block = 0; block < 10 * 44100 / 512; ++block)
    {
        std::fill (silence.begin(), silence.end(), 0.0f);
        t.processSamples (silence.data(), 512, 0);
        for (float y : silence)
            ASSERT_NE (std::fpclassify (y), FP_SUBNORMAL) << "block " << block;
        ASSERT_TRUE (notSubnormal (state->saturation.integratorState()));
        ASSERT_TRUE (notSubnormal (state->saturation.shapedState()));
        ASSERT_TRUE (notSubnormal (state->dynamicHiPass.envelopeLevel()));
    }
    for (float y : silence)
        EXPECT_EQ (y, 0.0f);
    EXPECT_EQ (state->saturation.integratorState(), 0.0);
    EXPECT_EQ (state->dynamicHiPass.envelopeLevel(), 0.0);
}
