#include "HostedPluginTest.h"

#include <iostream>

namespace t9vhost
{
namespace
{
struct ParameterRow
{
    const char* name;
    float reportedDefault;
    float newInstanceValue;
};

// Hosts list the parameters in this order; the slopes report step 0 as their default
// while a new instance stands on step 1.
constexpr ParameterRow parameterTable[numPluginParameters] = {
    { "Input gain", 0.5f, 0.5f },
    { "Output level", 0.5f, 0.5f },
    { "Link", 1.0f, 1.0f },
    { "Hi boost", 0.0f, 0.0f },
    { "Hi frequency", 0.5f, 0.5f },
    { "Low boost", 0.0f, 0.0f },
    { "Low frequency", 0.5f, 0.5f },
    { "EQ on", 1.0f, 1.0f },
    { "Polarity", 0.0f, 0.0f },
    { "Analog", 1.0f, 1.0f },
    { "Lowpass frequency", 1.0f, 1.0f },
    { "Lowpass slope", 0.0f, 0.25f },
    { "Low filter on", 0.0f, 0.0f },
    { "Highpass frequency", 0.0f, 0.0f },
    { "Highpass slope", 0.0f, 0.25f },
    { "High filter on", 0.0f, 0.0f },
    { "Bypass", 0.0f, 0.0f },
};

using ParameterHostTest = HostedPluginTest;

TEST_P (ParameterHostTest, ListsTheSeventeenParametersInIndexOrderWithTheirDefaults)
{
    for (const auto& [p, what] : plugin.added)
        std::cout << "[ " << formatName (GetParam()) << " ] added by the wrapper, not counted: " << what << '\n';

    ASSERT_EQ (plugin.own.size(), static_cast<size_t> (numPluginParameters));
    const auto saved = plugin.savedValues();
    for (int i = 0; i < numPluginParameters; ++i)
    {
        SCOPED_TRACE (parameterTable[i].name);
        const auto& p = plugin.parameter (i);
        EXPECT_EQ (p.getName (64), parameterTable[i].name);
        EXPECT_FLOAT_EQ (p.getDefaultValue(), parameterTable[i].reportedDefault);
        EXPECT_FLOAT_EQ (saved[static_cast<size_t> (i)], parameterTable[i].newInstanceValue);
        // The VST3 wrapper reads the starting values from the plug-in. An LV2 host only
        // knows the declared defaults until the plug-in reports a change, which it does
        // not: it shows both slopes at step 0 while the plug-in runs step 1.
        if (GetParam() == Format::vst3)
        {
            EXPECT_FLOAT_EQ (p.getValue(), parameterTable[i].newInstanceValue);
        }
    }
}

// Both wrappers add a host bypass (the LV2 one is the "enabled" port) after the plug-in's
// own parameters, and the VST3 one a program selector too. The host bypass is never the
// plug-in's own "Bypass".
TEST_P (ParameterHostTest, WrapperAddsOnlyAHostBypassAndTheProgramSelector)
{
    auto* bypass = plugin.instance->getBypassParameter();
    ASSERT_NE (bypass, nullptr);
    ASSERT_EQ (plugin.own.size(), static_cast<size_t> (numPluginParameters));
    EXPECT_NE (bypass, &plugin.parameter (16));
    EXPECT_EQ (plugin.added.size(), GetParam() == Format::vst3 ? 2u : 1u);
}

struct LawCase
{
    int index;
    float value, readBack;
};

// Values set through the host come back through the plug-in's laws: steps snap, switches
// threshold, gains and frequencies round trip.
constexpr LawCase lawCases[] = {
    { 0, 0.7f, 0.7f },     // Input gain: +9.6 dB and back
    { 1, 0.375f, 0.375f }, // Output level: -6 dB and back
    { 2, 0.4f, 0.0f },     // Link below the threshold
    { 3, 0.575f, 0.575f }, // Hi boost as is
    { 4, 0.3f, 0.5f },     // Hi frequency: step 1
    { 6, 0.8f, 1.0f },     // Low frequency: step 2
    { 7, 0.5f, 1.0f },     // EQ on at the threshold
    { 8, 0.4f, 0.0f },     // Polarity below the threshold
    { 10, 0.3f, 0.3f },    // Lowpass frequency as is
    { 11, 0.9f, 1.0f },    // Lowpass slope: step 4
    { 13, 0.6f, 0.6f },    // Highpass frequency as is
    { 14, 0.124f, 0.0f },  // Highpass slope: step 0
    { 16, 0.1f, 1.0f },    // Bypass: any value but 0
};

TEST_P (ParameterHostTest, ValuesSetThroughTheHostReadBackThroughTheLaws)
{
    ASSERT_EQ (plugin.own.size(), static_cast<size_t> (numPluginParameters));
    for (const auto& c : lawCases)
        plugin.set (c.index, c.value);
    plugin.settle();

    // Read from the plug-in's saved state: the host's parameter objects keep the value
    // the host sent, since the plug-in does not report its own snapping back.
    const auto saved = plugin.savedValues();
    for (const auto& c : lawCases)
        EXPECT_NEAR (saved[static_cast<size_t> (c.index)], c.readBack, 1e-6f) << parameterTable[c.index].name;
}

T9V_FOR_BOTH_FORMATS (ParameterHostTest);
} // namespace
} // namespace t9vhost
