// The frame of the signal chain: scale, gains, polarity, bypass, level and unfed outputs.
#include "processor/RelaxedAccess.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

using namespace Tessaro9V;
using t9test::Harness;

namespace
{
// The round trip through the operating scale: (single 7.65) x (single 1/7.65).
float expectedRoundTrip (float x, float sign = 1.0f)
{
    const auto up = x * static_cast<float> (7.65);
    return up * static_cast<float> (sign / 7.65);
}

float channelRms (const juce::AudioBuffer<float>& b, int channel)
{
    return b.getRMSLevel (channel, 0, b.getNumSamples());
}
} // namespace

TEST (SignalChainFrame, BypassIsBitExactAndKeepsTheLevel)
{
    Harness h (2, 2, 48000.0, 512);
    auto warmUp = t9test::sineBuffer (2, 512, 1000.0, 48000.0, 0.5f);
    h.process (warmUp);
    const float level = h.processor.meterLevel.load();
    ASSERT_GT (level, 0.0f);

    h.set (kBypass, 1.0f);
    auto buffer = t9test::sineBuffer (2, 512, 997.0, 48000.0, 0.7f);
    const auto original = buffer;
    h.process (buffer);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 512; ++i)
            ASSERT_EQ (buffer.getSample (c, i), original.getSample (c, i));
    EXPECT_EQ (h.processor.meterLevel.load(), level);
}

TEST (SignalChainFrame, PlainFrameRoundTripsTheScaleAndPolarity)
{
    for (const float polarity : { 0.0f, 1.0f })
    {
        Harness h (2, 2, 44100.0, 256);
        h.plainFrame();
        h.set (kPolarity, polarity);
        auto buffer = t9test::sineBuffer (2, 256, 440.0, 44100.0, 0.8f);
        const auto original = buffer;
        h.process (buffer);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 256; ++i)
            {
                const float x = original.getSample (c, i);
                const float expected = expectedRoundTrip (x, polarity > 0.5f ? -1.0f : 1.0f);
                ASSERT_EQ (buffer.getSample (c, i), expected) << c << " " << i;
                ASSERT_NEAR (buffer.getSample (c, i), polarity > 0.5f ? -x : x, 2.0f * std::abs (x) * 1.2e-7f + 1e-30f);
            }
    }
}

TEST (SignalChainFrame, GainsApplyAsStepsAtBlockBoundaries)
{
    Harness h (1, 1, 48000.0, 64);
    ASSERT_TRUE (h.layoutAccepted);
    h.plainFrame();
    h.set (kInputGain, 0.625f);  // +6 dB
    h.set (kOutputLevel, 0.25f); // -12 dB
    juce::AudioBuffer<float> buffer (1, 64);
    buffer.clear();
    for (int i = 0; i < 64; ++i)
        buffer.setSample (0, i, 0.1f);
    h.process (buffer);
    const double expected = 0.1 * std::pow (10.0, -6.0 / 20.0);
    for (int i = 0; i < 64; ++i)
        ASSERT_NEAR (buffer.getSample (0, i), expected, 1e-6);

    h.set (kInputGain, 0.5f);
    for (int i = 0; i < 64; ++i)
        buffer.setSample (0, i, 0.1f);
    h.process (buffer);
    for (int i = 0; i < 64; ++i)
        ASSERT_NEAR (buffer.getSample (0, i), 0.1 * std::pow (10.0, -12.0 / 20.0), 1e-6);
}

TEST (SignalChainFrame, UnfedOutputsAreCleared)
{
    // Mono in, stereo out is refused by the layout check, so a test subclass opens it to
    // show that the chain itself clears the outputs it does not feed.
    struct MonoToStereo : T9v210AudioProcessor
    {
        bool isBusesLayoutSupported (const BusesLayout&) const override { return true; }
    } p;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::mono());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    ASSERT_TRUE (p.setBusesLayout (layout));
    p.prepareToPlay (48000.0, 128);
    for (const float bypass : { 0.0f, 1.0f })
    {
        p.setParameter (kBypass, bypass);
        auto buffer = t9test::sineBuffer (2, 128, 300.0, 48000.0, 0.5f);
        juce::MidiBuffer midi;
        p.processBlock (buffer, midi);
        for (int i = 0; i < 128; ++i)
            ASSERT_EQ (buffer.getSample (1, i), 0.0f);
        EXPECT_GT (channelRms (buffer, 0), 0.3f);
    }
}

TEST (SignalChainFrame, LevelApproachesTheRmsWithTheBlockTimeConstant)
{
    const double rate = 48000.0;
    const int block = 480; // T = 10 ms
    Harness h (2, 2, rate, block);
    h.plainFrame();
    const double k = static_cast<float> (0.01 / (0.25 + 0.01));
    const float amplitude = 0.5f;
    double expected = 0.0;
    for (int n = 0; n < 25; ++n) // 0.25 s of blocks
    {
        auto buffer = t9test::sineBuffer (2, block, 1000.0, rate, amplitude);
        const float rms = channelRms (buffer, 0);
        h.process (buffer);
        expected = k * rms + (1.0 - k) * expected;
        ASSERT_NEAR (h.processor.meterLevel.load(), expected, 1e-5);
    }
    const double r = amplitude / std::sqrt (2.0);
    EXPECT_NEAR (h.processor.meterLevel.load() / r, 1.0 - std::pow (1.0 - k, 25), 1e-3);
    EXPECT_NEAR (h.processor.meterLevel.load() / r, 0.63, 0.03);

    // A block of no samples leaves audio alone and decays the level by (1 - k).
    const float before = h.processor.meterLevel.load();
    juce::AudioBuffer<float> empty (2, 0);
    h.process (empty);
    EXPECT_FLOAT_EQ (h.processor.meterLevel.load(), static_cast<float> ((1.0f - static_cast<float> (k)) * before));
}

TEST (SignalChainFrame, HostFacingAnswers)
{
    T9v210AudioProcessor p;
    EXPECT_EQ (p.getName(), "9V-210");
    EXPECT_EQ (p.getInputChannelName (0), "1");
    EXPECT_EQ (p.getOutputChannelName (1), "2");
    EXPECT_EQ (p.getInputChannelName (-5), "-4");
    EXPECT_TRUE (p.isInputChannelStereoPair (7));
    EXPECT_TRUE (p.isOutputChannelStereoPair (-1));
    EXPECT_FALSE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_FALSE (p.silenceInProducesSilenceOut());
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_TRUE (p.hasEditor());
}

TEST (SignalChainFrame, OnlyStereoAndMonoLayoutsAreAccepted)
{
    using Set = juce::AudioChannelSet;
    struct Case
    {
        Set in, out;
        bool accepted;
    };
    const Case cases[] = {
        { Set::stereo(), Set::stereo(), true },      { Set::mono(), Set::mono(), true },
        { Set::mono(), Set::stereo(), false },       { Set::stereo(), Set::mono(), false },
        { Set::create5point1(), Set::create5point1(), false }, { Set::disabled(), Set::stereo(), false },
    };
    for (const auto& c : cases)
    {
        T9v210AudioProcessor p;
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (c.in);
        layout.outputBuses.add (c.out);
        EXPECT_EQ (p.checkBusesLayoutSupported (layout), c.accepted) << c.in.getDescription() << " " << c.out.getDescription();
    }
}

TEST (SignalChainFrame, ShortAndEmptyBlocksAreSafe)
{
    Harness h (2, 2, 48000.0, 512);
    for (int n : { 0, 1, 7, 100, 511 })
    {
        auto buffer = t9test::sineBuffer (2, n, 440.0, 48000.0, 0.5f);
        h.process (buffer);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < n; ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (c, i)));
    }
}
