#include "HostedPluginTest.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace t9vhost
{
namespace
{
enum Index
{
    inputGain = 0,
    outputLevel = 1,
    eqOn = 7,
    polarity = 8,
    analog = 9,
    lowFilterOn = 12,
    highFilterOn = 15,
    bypass = 16
};

// Distance in units in the last place between two finite floats.
int64_t ulpDistance (float a, float b)
{
    const auto ordered = [] (float f)
    {
        int32_t bits;
        std::memcpy (&bits, &f, sizeof bits);
        return bits < 0 ? static_cast<int64_t> (INT32_MIN) - bits : static_cast<int64_t> (bits);
    };
    return std::llabs (ordered (a) - ordered (b));
}

// A test signal with a wide spread of magnitudes and both signs on every channel.
juce::AudioBuffer<float> testSignal (int channels, int offset)
{
    juce::AudioBuffer<float> buffer (channels, blockSize);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < blockSize; ++i)
        {
            const double t = static_cast<double> (offset + i);
            const double tone = 0.6 * std::sin (0.031 * t * (c + 1)) + 0.3 * std::sin (0.47 * t + c);
            buffer.setSample (c, i, static_cast<float> (tone * std::pow (10.0, -3.0 * std::fmod (t * 0.013, 1.0))));
        }
    return buffer;
}

class ProcessingHostTest : public HostedPluginTest
{
protected:
    // The character stages out of the way: analog, EQ and both filters off, 0 dB gains.
    void neutral()
    {
        const std::initializer_list<std::pair<int, float>> values{ { analog, 0.0f },      { eqOn, 0.0f },
                                                                   { lowFilterOn, 0.0f }, { highFilterOn, 0.0f },
                                                                   { inputGain, 0.5f },   { outputLevel, 0.5f } };
        for (const auto& [index, value] : values)
            plugin.set (index, value);
        plugin.settle();
    }

    // Runs a few blocks and hands each input and output sample pair to check.
    template <typename Check>
    void runBlocks (Check&& check)
    {
        const int channels = plugin.instance->getTotalNumInputChannels();
        for (int block = 0; block < 4; ++block)
        {
            const auto input = testSignal (channels, block * blockSize);
            auto output = input;
            plugin.process (output);
            for (int c = 0; c < channels; ++c)
                for (int i = 0; i < blockSize; ++i)
                    check (input.getSample (c, i), output.getSample (c, i));
        }
    }

    void expectIdentityWithinTwoUlps (float sign)
    {
        int64_t worst = 0;
        runBlocks ([&] (float in, float out) { worst = std::max (worst, ulpDistance (sign * in, out)); });
        // The operating scale goes in and out as two single-precision multiplies.
        EXPECT_LE (worst, 2);
    }

    void expectBitExactPassThrough()
    {
        int differing = 0;
        runBlocks ([&] (float in, float out) { differing += (std::memcmp (&in, &out, sizeof in) != 0) ? 1 : 0; });
        EXPECT_EQ (differing, 0);
    }
};

TEST_P (ProcessingHostTest, NeutralSettingsPassTheInputWithinRounding)
{
    neutral();
    expectIdentityWithinTwoUlps (1.0f);
}

TEST_P (ProcessingHostTest, PolarityNegatesTheOutput)
{
    neutral();
    plugin.set (polarity, 1.0f);
    plugin.settle();
    expectIdentityWithinTwoUlps (-1.0f);
}

TEST_P (ProcessingHostTest, OutputLevelAtThreeEighthsIsMinusSixDecibels)
{
    neutral();
    plugin.set (outputLevel, 0.375f);
    plugin.settle();

    const double gain = std::pow (10.0, -6.0 / 20.0);
    double worst = 0.0, inputEnergy = 0.0, outputEnergy = 0.0;
    runBlocks (
        [&] (float in, float out)
        {
            worst = std::max (worst, std::abs (out - gain * in) / (std::abs (gain * in) + 1e-30));
            inputEnergy += static_cast<double> (in) * in;
            outputEnergy += static_cast<double> (out) * out;
        });
    EXPECT_LT (worst, 1e-6);
    EXPECT_NEAR (10.0 * std::log10 (outputEnergy / inputEnergy), -6.0, 1e-4);
}

// With every character stage on (analog noise and hum included) bypass still hands the
// input back untouched.
TEST_P (ProcessingHostTest, BypassParameterPassesTheInputBitExact)
{
    plugin.set (bypass, 1.0f);
    plugin.settle();
    expectBitExactPassThrough();
}

TEST_P (ProcessingHostTest, HostBypassPassesTheInputBitExact)
{
    auto* hostBypass = plugin.instance->getBypassParameter();
    if (hostBypass == nullptr)
        GTEST_SKIP() << formatName (GetParam()) << " offers no host bypass";
    hostBypass->setValue (1.0f);
    plugin.settle();
    expectBitExactPassThrough();
}

TEST_P (ProcessingHostTest, AnalogStagesChangeTheSignal)
{
    // Guards the neutral tests against a chain that ignores its settings altogether.
    neutral();
    plugin.set (analog, 1.0f);
    plugin.settle();
    int differing = 0;
    runBlocks ([&] (float in, float out) { differing += ulpDistance (in, out) > 2 ? 1 : 0; });
    EXPECT_GT (differing, blockSize);
}

T9V_FOR_BOTH_FORMATS (ProcessingHostTest);

//==============================================================================
using LayoutHostTest = HostedPluginTest;

TEST_P (LayoutHostTest, AcceptsStereoAndMonoOnlyWhereExported)
{
    using Set = juce::AudioChannelSet;
    EXPECT_TRUE (plugin.prepare (layout (Set::stereo(), Set::stereo())));

    // JUCE's LV2 export carries the default stereo layout only.
    const bool monoExported = GetParam() == Format::vst3;
    EXPECT_EQ (plugin.prepare (layout (Set::mono(), Set::mono())), monoExported);

    const std::initializer_list<std::pair<Set, Set>> refused{ { Set::mono(), Set::stereo() },
                                                              { Set::stereo(), Set::mono() },
                                                              { Set::create5point1(), Set::create5point1() } };
    for (const auto& [in, out] : refused)
    {
        SCOPED_TRACE ((in.getDescription() + " in, " + out.getDescription() + " out").toStdString());
        EXPECT_FALSE (plugin.prepare (layout (in, out)));
    }
}

TEST_P (ProcessingHostTest, MonoPassesTheInputWithinRounding)
{
    using Set = juce::AudioChannelSet;
    if (GetParam() == Format::lv2)
        GTEST_SKIP() << "the LV2 export has no mono layout";
    ASSERT_TRUE (plugin.prepare (layout (Set::mono(), Set::mono())));
    ASSERT_EQ (plugin.instance->getTotalNumInputChannels(), 1);
    neutral();
    expectIdentityWithinTwoUlps (1.0f);
}

T9V_FOR_BOTH_FORMATS (LayoutHostTest);
} // namespace
} // namespace t9vhost
