// The factory programs: names, values, clamping and the guard that follows a state restore.
#include "processor/RelaxedAccess.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

using namespace Tessaro9V;

namespace
{
// One program as listed for hosts: gains as stored factors (eight significant digits) with
// their level in dB, everything else as stored.
struct ProgramRow
{
    const char* name;
    double inputGain, inputDb, outputLevel, outputDb;
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

const ProgramRow programTable[] = {
    { "Default", 1.0, 0.0, 1.0, 0.0, 0.0f, 1, 0.0f, 1, 1.0f, 1, false, 0.0f, 1, false },
    { "BASS- Overdrive And Fat", 1.0452015, 0.384, 0.9567535, -0.384, 0.6515f, 0, 0.082f, 0, 0.832f, 0, true, 0.048f, 2,
      true },
    { "DRUMS- Beefy Drum Room", 3.1564584, 9.984, 0.31681082, -9.984, 0.074f, 1, 0.030000001f, 1, 1.0f, 1, false,
      0.088f, 1, true },
    { "DRUMS- Snare Overdrive", 8.348337, 18.432, 0.11978433, -18.432, 0.24350001f, 1, 0.12645313f, 2, 1.0f, 1, false,
      0.272f, 0, true },
    { "DRUMS- Use me on every channel", 2.7039583, 8.640, 0.36982816, -8.640, 0.054515626f, 1, 0.018242192f, 1, 1.0f, 1,
      false, 0.10400001f, 1, true },
    { "FILTER-  Automated LPF and HPF", 1.0, 0.0, 1.0, 0.0, 0.0f, 1, 0.0f, 1, 1.0f, 4, true, 0.0f, 4, true },
    { "GUITAR- Overdrive", 15.848933, 24.0, 0.06309571, -24.0, 1.0f, 0, 1.0f, 2, 0.852f, 0, true, 0.268f, 2, true },
    { "KEYS- Tb 303 Overdrive", 15.848933, 24.0, 0.06309571, -24.0, 0.5495f, 0, 0.091f, 1, 1.0f, 1, false, 0.06f, 1,
      true },
    { "MIX- Master Mix", 0.3951845, -8.064, 2.530464, 8.064, 0.04f, 0, 0.018f, 0, 1.0f, 1, false, 0.06f, 2, true },
    { "VOCALS- Overdriven Telephone", 15.848933, 24.0, 0.06309571, -24.0, 0.949f, 1, 1.0f, 1, 0.76399994f, 3, true,
      0.48799998f, 3, true },
    { "VOCALS- Warm", 3.0874505, 9.792, 0.32389182, -9.792, 0.15f, 1, 0.051f, 1, 0.988f, 0, true, 0.27199998f, 2,
      true },
};

std::atomic<juce::uint32> fakeNow{ 0 };
juce::uint32 fakeClock() { return fakeNow.load(); }

std::vector<float> parameterValues (T9v210AudioProcessor& p)
{
    std::vector<float> values;
    for (int i = 0; i < p.getNumParameters(); ++i)
        values.push_back (p.getParameter (i));
    return values;
}

juce::MemoryBlock stateOf (T9v210AudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return block;
}
} // namespace

TEST (FactoryPrograms, NamesCountAndOutOfRangeIndices)
{
    T9v210AudioProcessor p;
    ASSERT_EQ (p.getNumPrograms(), 11);
    EXPECT_EQ (p.getCurrentProgram(), 0);
    for (int i = 0; i < 11; ++i)
        EXPECT_EQ (p.getProgramName (i), juce::String (programTable[i].name)) << i;
    EXPECT_EQ (p.getProgramName (5), "FILTER-  Automated LPF and HPF"); // two spaces after the dash
    for (const int outside : { -1, 11, -4, 99, std::numeric_limits<int>::min() })
        EXPECT_TRUE (p.getProgramName (outside).isEmpty()) << outside;

    p.changeProgramName (2, "Renamed");
    EXPECT_EQ (p.getProgramName (2), "DRUMS- Beefy Drum Room");
}

TEST (FactoryPrograms, EveryProgramLoadsItsRecord)
{
    for (int index = 0; index < 11; ++index)
    {
        SCOPED_TRACE (index);
        const auto& row = programTable[index];
        T9v210AudioProcessor p;
        p.setCurrentProgram (index == 0 ? 1 : 0); // start elsewhere, so every field must move
        p.setCurrentProgram (index);
        ASSERT_EQ (p.getCurrentProgram(), index);

        const Settings s = loadSettings (p.settings);
        // The single-precision value that the listed digits name, and its level in dB.
        EXPECT_EQ (s.inputGain, static_cast<double> (static_cast<float> (row.inputGain)));
        EXPECT_EQ (s.outputLevel, static_cast<double> (static_cast<float> (row.outputLevel)));
        EXPECT_NEAR (20.0 * std::log10 (s.inputGain), row.inputDb, 0.0005);
        EXPECT_NEAR (20.0 * std::log10 (s.outputLevel), row.outputDb, 0.0005);
        EXPECT_NEAR (20.0 * std::log10 (s.inputGain * s.outputLevel), 0.0, 1e-5); // Link mirrors them

        EXPECT_EQ (s.hiBoost, static_cast<double> (row.hiBoost));
        EXPECT_EQ (s.hiFrequency, row.hiStep);
        EXPECT_EQ (s.lowBoost, static_cast<double> (row.lowBoost));
        EXPECT_EQ (s.lowFrequency, row.lowStep);
        EXPECT_EQ (s.lowpassFrequency, static_cast<double> (row.lowpass));
        EXPECT_EQ (s.lowpassSlope, row.lowpassSlope);
        EXPECT_EQ (s.lowFilterOn, row.lowpassOn);
        EXPECT_EQ (s.highpassFrequency, static_cast<double> (row.highpass));
        EXPECT_EQ (s.highpassSlope, row.highpassSlope);
        EXPECT_EQ (s.highFilterOn, row.highpassOn);

        EXPECT_TRUE (s.link);
        EXPECT_TRUE (s.eqOn);
        EXPECT_FALSE (s.polarity);
        EXPECT_TRUE (s.analog);
        EXPECT_FALSE (s.bypass);
        EXPECT_EQ (s.internalScale, 7.65);
    }
}

TEST (FactoryPrograms, DefaultProgramEqualsANewInstance)
{
    T9v210AudioProcessor fresh, loaded;
    loaded.setCurrentProgram (6);
    loaded.setCurrentProgram (0);
    EXPECT_EQ (parameterValues (loaded), parameterValues (fresh));
    EXPECT_EQ (stateOf (loaded), stateOf (fresh));
}

TEST (FactoryPrograms, IndicesAreClampedAndStillLoad)
{
    T9v210AudioProcessor p;
    p.setCurrentProgram (-4);
    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), 1.0);

    p.setCurrentProgram (99);
    EXPECT_EQ (p.getCurrentProgram(), 10);
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), static_cast<double> (3.0874505f));
    EXPECT_EQ (relaxedLoad (p.settings.lowpassFrequency), static_cast<double> (0.988f));
}

TEST (FactoryPrograms, ProgramChangeRightAfterARestoreKeepsTheRestoredValues)
{
    // Restore time, then the clock reading at the program change, and whether it loads.
    struct Case
    {
        juce::uint32 restoredAt, changedAt;
        bool loads;
    };
    const Case cases[] = {
        { 1000, 1000, false },
        { 1000, 1499, false },
        { 1000, 1500, true },
        { 1000, 90000, true },
        { 0, 499, false },                          // a restore at counter 0 still starts the guard
        { 0xffffff00u, 0xffffff00u + 300u, false }, // across the 32-bit wrap (reads 44)
        { 0xffffff00u, 0xffffff00u + 499u, false },
        { 0xffffff00u, 0xffffff00u + 500u, true },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << c.restoredAt << " -> " << c.changedAt);
        T9v210AudioProcessor source;
        source.setCurrentProgram (2);
        const auto blob = stateOf (source);

        T9v210AudioProcessor p;
        p.setMillisecondClock (&fakeClock);
        fakeNow = c.restoredAt;
        p.setStateInformation (blob.getData(), static_cast<int> (blob.getSize()));
        const auto restored = parameterValues (p);

        fakeNow = c.changedAt;
        p.setCurrentProgram (3);
        EXPECT_EQ (p.getCurrentProgram(), 3);
        if (c.loads)
        {
            EXPECT_EQ (relaxedLoad (p.settings.inputGain), static_cast<double> (8.348337f));
            EXPECT_EQ (relaxedLoad (p.settings.highpassSlope), 0u);
        }
        else
        {
            EXPECT_EQ (parameterValues (p), restored);
        }
    }
}

TEST (FactoryPrograms, GuardIsInactiveUntilTheFirstRestoreAndFollowsInvalidOnes)
{
    T9v210AudioProcessor p;
    p.setMillisecondClock (&fakeClock);
    fakeNow = 10; // a counter that has only just started
    p.setCurrentProgram (7);
    EXPECT_EQ (relaxedLoad (p.settings.hiBoost), static_cast<double> (0.5495f));

    // Even a blob that restores nothing starts the guard.
    const char junk[4] = { 'V', 'C', '2', '!' };
    fakeNow = 5000;
    p.setStateInformation (junk, sizeof (junk));
    fakeNow = 5200;
    p.setCurrentProgram (1);
    EXPECT_EQ (p.getCurrentProgram(), 1);
    EXPECT_EQ (relaxedLoad (p.settings.hiBoost), static_cast<double> (0.5495f));
}

TEST (FactoryPrograms, AProgramChangeReconfiguresTheRunningChain)
{
    // Program 0 after program 6 must sound like a fresh instance, not like program 6: the
    // filters are reconfigured, not just the stored values. (Analog off: no random noise.)
    t9test::Harness fresh, changed;
    changed.processor.setCurrentProgram (6);
    changed.processor.setCurrentProgram (0);
    fresh.set (kAnalog, 0.0f);
    changed.set (kAnalog, 0.0f);

    auto a = t9test::sineBuffer (2, 512, 440.0, 48000.0, 0.5f);
    auto b = a;
    fresh.process (a);
    changed.process (b);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 512; ++i)
            ASSERT_EQ (a.getSample (c, i), b.getSample (c, i));
}
