// The hum generator: square wave timing, the shared all-channel hum, its levels and states.
#include "dsp/QVAHum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

using namespace Tessaro9V;

namespace
{
constexpr double pi = 3.141592653589793;

double decibels (double linear) { return 20.0 * std::log10 (linear); }

// Generates one channel of hum from silence, in host-sized blocks.
std::vector<float> humOf (QVAHum& hum, int samples, int block = 512)
{
    std::vector<float> out (static_cast<size_t> (samples), 0.0f);
    for (int start = 0; start < samples; start += block)
    {
        float* channels[] = { out.data() + start };
        hum.processSamples (channels, std::min (block, samples - start));
    }
    return out;
}

// Amplitude of the component at frequency f over a window holding whole periods of it.
double componentAmplitude (const std::vector<float>& s, size_t from, size_t count, double f, double rate)
{
    std::complex<double> sum;
    for (size_t i = 0; i < count; ++i)
        sum += static_cast<double> (s[from + i]) * std::polar (1.0, -2.0 * pi * f * static_cast<double> (i) / rate);
    return 2.0 * std::abs (sum) / static_cast<double> (count);
}
} // namespace

// 50 Hz at 44.1 kHz: 882 samples per period, the first 440 positive, then half-periods of
// 441 samples give or take the rounding of the accumulated phase, without drifting.
TEST (Hum, RawSquareWaveHasThe50HzPeriodAndStartsPositive)
{
    QVAHumChannel state;
    state.init (44100.0);
    std::vector<float> square (882 * 200 + 100);
    state.renderSquare (square.data(), static_cast<int> (square.size()), 50.0 / 44100.0);

    for (size_t i = 0; i < 440; ++i)
        ASSERT_EQ (square[i], 3.0e-6f) << i;
    EXPECT_EQ (square[440], -3.0e-6f);

    size_t edge = 440, halfPeriods = 1;
    for (size_t i = 441; i < square.size(); ++i)
    {
        ASSERT_TRUE (square[i] == 3.0e-6f || square[i] == -3.0e-6f);
        if (square[i] != square[i - 1])
        {
            const size_t length = i - edge;
            EXPECT_TRUE (length >= 440 && length <= 442) << "half-period " << length << " at " << i;
            const auto ideal = static_cast<double> (440 + 441 * (halfPeriods - 1) + 441);
            EXPECT_LE (std::abs (static_cast<double> (i) - ideal), 1.0) << "edge " << i;
            edge = i;
            ++halfPeriods;
        }
    }
    EXPECT_EQ (halfPeriods, 400u);
    EXPECT_NEAR (state.getPhase(), 100.0 / 882.0, 1.0e-9); // 200 whole periods and 100 samples
}

// One hum for all channels: generated with the state of entry 0, entry 1 left alone.
TEST (Hum, AllChannelOperationAddsOneHumToEveryPreparedChannel)
{
    QVAHum hum;
    hum.prepareToPlay (44100.0, 2);
    const int n = 4096;
    std::vector<float> a (n, 0.25f), b (n, 0.0f), spare (n, 0.0f);
    float* channels[] = { a.data(), b.data(), spare.data() };
    hum.processSamples (channels, n);

    double energy = 0.0;
    for (int i = 0; i < n; ++i)
    {
        ASSERT_EQ (a[static_cast<size_t> (i)], 0.25f + b[static_cast<size_t> (i)]);
        energy += b[static_cast<size_t> (i)] * b[static_cast<size_t> (i)];
        ASSERT_EQ (spare[static_cast<size_t> (i)], 0.0f); // beyond the prepared channels
    }
    EXPECT_GT (energy, 0.0);
    EXPECT_GT (hum.getChannelState (0)->getPhase(), 0.0);
    EXPECT_EQ (hum.getChannelState (1)->getPhase(), 0.0);

    // Entry 1 starts where entry 0 started: its first hum equals the one above.
    std::vector<float> fromEntry1 (n, 0.0f);
    hum.processSamples (fromEntry1.data(), n, 1);
    EXPECT_EQ (fromEntry1, b);
}

// Steady hum at 44.1 kHz, over one second (50 whole periods) after one second of settling:
// RMS about -112 dB (2.5e-6), peaks about -101 dB (9e-6), the 150 and 250 Hz harmonics
// strongest at about -114 dB, the fundamental near -127 dB, nothing above 1.5 kHz over
// -130 dB. Tolerance: 1 dB on RMS and peak, 1.5 dB on the strong harmonics, 3 dB on the
// fundamental.
TEST (Hum, SteadyLevelsAndSpectrum)
{
    const double rate = 44100.0;
    QVAHum hum;
    hum.prepareToPlay (rate, 1);
    const auto s = humOf (hum, 2 * 44100);
    const size_t from = 44100, count = 44100;

    double sumSquares = 0.0, peak = 0.0;
    for (size_t i = from; i < from + count; ++i)
    {
        sumSquares += static_cast<double> (s[i]) * s[i];
        peak = std::max (peak, std::abs (static_cast<double> (s[i])));
    }
    EXPECT_NEAR (decibels (std::sqrt (sumSquares / count)), decibels (2.5e-6), 1.0);
    EXPECT_NEAR (decibels (peak), decibels (9.0e-6), 1.0);

    const auto harmonicDb = [&] (int h) { return decibels (componentAmplitude (s, from, count, 50.0 * h, rate)); };
    EXPECT_NEAR (harmonicDb (3), -114.0, 1.5);
    EXPECT_NEAR (harmonicDb (5), -114.0, 1.5);
    EXPECT_NEAR (harmonicDb (1), -127.0, 3.0);
    double strongest = -1000.0;
    int strongestHarmonic = 0;
    for (int h = 1; h * 50 < 22050; ++h)
    {
        const double level = harmonicDb (h);
        if (level > strongest)
        {
            strongest = level;
            strongestHarmonic = h;
        }
        if (h * 50 > 1500)
        {
            EXPECT_LT (level, -130.0) << h * 50 << " Hz";
        }
    }
    EXPECT_TRUE (strongestHarmonic == 3 || strongestHarmonic == 5) << strongestHarmonic;
}

// The phase moves only while generating: a pause changes nothing, a long block is
// generated in pieces without a seam, release drops the states, prepare starts afresh.
TEST (Hum, StateLifecycle)
{
    const double rate = 48000.0;
    QVAHum continuous, paused, longBlocks;
    for (auto* h : { &continuous, &paused, &longBlocks })
        h->prepareToPlay (rate, 1);

    const auto reference = humOf (continuous, 30000);
    auto first = humOf (paused, 10000);
    auto second = humOf (paused, 20000);
    first.insert (first.end(), second.begin(), second.end());
    // Block boundaries differ (10000 is not a multiple of 512). The sections snap states
    // within 1e-8 to zero at the end of each block, and the resonant peaks carry such a
    // step on: up to about 1.5e-7, some 35 dB below the hum's peaks (9e-6).
    constexpr float seamTolerance = 5.0e-7f;
    for (size_t i = 0; i < reference.size(); ++i)
        ASSERT_NEAR (first[i], reference[i], seamTolerance) << i;

    const auto inOneCall = humOf (longBlocks, 30000, 30000); // far longer than the scratch
    for (size_t i = 0; i < reference.size(); ++i)
        ASSERT_NEAR (inOneCall[i], reference[i], seamTolerance) << i;

    continuous.releaseResources();
    EXPECT_EQ (continuous.getChannelState (0), nullptr);
    std::vector<float> untouched (512, 0.5f);
    float* channels[] = { untouched.data() };
    continuous.processSamples (channels, 512);
    continuous.processSamples (untouched.data(), 512, 0);
    for (float v : untouched)
        ASSERT_EQ (v, 0.5f);

    continuous.prepareToPlay (rate, 1);
    paused.processSamples (untouched.data(), 512, 7); // no state for channel 7: ignored
    for (float v : untouched)
        ASSERT_EQ (v, 0.5f);
    EXPECT_EQ (humOf (continuous, 30000), reference);
}
