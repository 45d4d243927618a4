#include "HostedPluginTest.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace t9vhost
{
namespace
{
// A factory program as a host sees it: gains by level in dB, steps by index.
struct ProgramRow
{
    const char* name;
    double inputDb, outputDb;
    float hiBoost;
    int hiStep;
    float lowBoost;
    int lowStep;
    float lowpass;
    int lowpassSlope;
    bool lowpassOn;
    float highpass;
    int highpassSlope;
    bool highpassOn;
};

constexpr ProgramRow programTable[] = {
    { "Default", 0.0, 0.0, 0.0f, 1, 0.0f, 1, 1.0f, 1, false, 0.0f, 1, false },
    { "BASS- Overdrive And Fat", 0.384, -0.384, 0.6515f, 0, 0.082f, 0, 0.832f, 0, true, 0.048f, 2, true },
    { "DRUMS- Beefy Drum Room", 9.984, -9.984, 0.074f, 1, 0.030000001f, 1, 1.0f, 1, false, 0.088f, 1, true },
    { "DRUMS- Snare Overdrive", 18.432, -18.432, 0.24350001f, 1, 0.12645313f, 2, 1.0f, 1, false, 0.272f, 0, true },
    { "DRUMS- Use me on every channel", 8.640, -8.640, 0.054515626f, 1, 0.018242192f, 1, 1.0f, 1, false, 0.10400001f, 1,
      true },
    { "FILTER-  Automated LPF and HPF", 0.0, 0.0, 0.0f, 1, 0.0f, 1, 1.0f, 4, true, 0.0f, 4, true },
    { "GUITAR- Overdrive", 24.0, -24.0, 1.0f, 0, 1.0f, 2, 0.852f, 0, true, 0.268f, 2, true },
    { "KEYS- Tb 303 Overdrive", 24.0, -24.0, 0.5495f, 0, 0.091f, 1, 1.0f, 1, false, 0.06f, 1, true },
    { "MIX- Master Mix", -8.064, 8.064, 0.04f, 0, 0.018f, 0, 1.0f, 1, false, 0.06f, 2, true },
    { "VOCALS- Overdriven Telephone", 24.0, -24.0, 0.949f, 1, 1.0f, 1, 0.76399994f, 3, true, 0.48799998f, 3, true },
    { "VOCALS- Warm", 9.792, -9.792, 0.15f, 1, 0.051f, 1, 0.988f, 0, true, 0.27199998f, 2, true },
};
constexpr int numPrograms = static_cast<int> (std::size (programTable));

// The normalised values a program should leave, from its row; every program has Link,
// EQ and Analog on, Polarity and Bypass off.
Values expectedValues (const ProgramRow& r)
{
    const auto gain = [] (double db) { return static_cast<float> ((db + 24.0) / 48.0); };
    const auto flag = [] (bool on) { return on ? 1.0f : 0.0f; };
    return { gain (r.inputDb),
             gain (r.outputDb),
             1.0f,
             r.hiBoost,
             0.5f * static_cast<float> (r.hiStep),
             r.lowBoost,
             0.5f * static_cast<float> (r.lowStep),
             1.0f,
             0.0f,
             1.0f,
             r.lowpass,
             0.25f * static_cast<float> (r.lowpassSlope),
             flag (r.lowpassOn),
             r.highpass,
             0.25f * static_cast<float> (r.highpassSlope),
             flag (r.highpassOn),
             0.0f };
}

class ProgramHostTest : public HostedPluginTest
{
protected:
    void SetUp() override
    {
        HostedPluginTest::SetUp();
        if (GetParam() == Format::lv2 && plugin.instance != nullptr && plugin.instance->getNumPrograms() == 0)
            GTEST_SKIP() << "LV2: the bundle lists no presets, so JUCE's LV2 host shows no programs; "
                            "this check switches itself on once presets are exported";

        // JUCE's LV2 host prepares by creating a new plug-in instance and restoring the old
        // one's state into it, and the plug-in ignores program changes for 500 ms after a
        // restore: wait that out once.
        if (GetParam() == Format::lv2)
            juce::Thread::sleep (600);
    }
};

// The table row of a program name, or -1.
int rowNamed (const juce::String& name)
{
    for (int p = 0; p < numPrograms; ++p)
        if (name == programTable[p].name)
            return p;
    return -1;
}

// VST3 lists the programs in their order. LV2 presets are separate resources with no order
// of their own (JUCE's LV2 host lists them as lilv hands them over), so there each name
// must appear exactly once.
TEST_P (ProgramHostTest, ListsTheElevenProgramsByName)
{
    auto& instance = *plugin.instance;
    ASSERT_EQ (instance.getNumPrograms(), numPrograms);
    std::vector<int> seen (numPrograms, 0);
    for (int h = 0; h < numPrograms; ++h)
    {
        const auto name = instance.getProgramName (h);
        const int row = rowNamed (name);
        ASSERT_GE (row, 0) << "unknown program \"" << name << "\" at " << h;
        ++seen[static_cast<size_t> (row)];
        if (GetParam() == Format::vst3)
        {
            EXPECT_EQ (row, h) << name;
        }
    }
    EXPECT_EQ (seen, std::vector<int> (numPrograms, 1));
}

TEST_P (ProgramHostTest, SelectingAProgramLoadsItsValues)
{
    auto& instance = *plugin.instance;
    ASSERT_EQ (instance.getNumPrograms(), numPrograms);
    // "Default" last: it equals a new instance, so only coming back to it shows a load.
    std::vector<int> order (numPrograms);
    std::iota (order.begin(), order.end(), 0);
    std::stable_partition (order.begin(), order.end(),
                           [&] (int h) { return rowNamed (instance.getProgramName (h)) != 0; });

    for (const int h : order)
    {
        const int row = rowNamed (instance.getProgramName (h));
        ASSERT_GE (row, 0);
        SCOPED_TRACE (programTable[row].name);
        instance.setCurrentProgram (h);
        plugin.settle();
        EXPECT_EQ (instance.getCurrentProgram(), h);

        const auto expected = expectedValues (programTable[row]);
        const auto saved = plugin.savedValues();
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR (saved[i], expected[i], 2e-5f) << "parameter " << i;
    }
}

T9V_FOR_BOTH_FORMATS (ProgramHostTest);
} // namespace
} // namespace t9vhost
