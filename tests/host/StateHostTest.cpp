#include "PluginHost.h"

#include <gtest/gtest.h>

namespace t9vhost
{
namespace
{
// Two settings far from a new instance and from each other: every parameter moves.
constexpr Values firstSettings{ 0.7f, 0.3f,   0.0f,  0.6515f, 1.0f,   0.25f, 0.0f, 0.0f, 1.0f,
                                0.0f, 0.832f, 0.75f, 1.0f,    0.272f, 1.0f,  1.0f, 1.0f };
constexpr Values secondSettings{ 0.292f, 0.884f,      1.0f, 0.949f, 0.0f,   0.12645313f, 1.0f, 1.0f, 0.0f,
                                 1.0f,   0.76399994f, 0.0f, 0.0f,   0.048f, 0.5f,        0.0f, 0.0f };

HostedPlugin loadOrFail (Format format)
{
    juce::String error;
    auto plugin = load (format, error);
    EXPECT_TRUE (error.isEmpty()) << formatName (format) << ": " << error;
    return plugin;
}

// The gains go through the gain law and back on every save and restore, so they may move
// by a unit in the last place; everything else comes back exactly.
void expectSameValues (const Values& actual, const Values& expected, const char* what)
{
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR (actual[i], expected[i], i < 2 ? 1e-6f : 0.0f) << what << ", parameter " << i;
}

// Saves from one format, restores into a new instance of the other and compares the
// seventeen normalised values, in the restored state and as the host reports them.
void carryState (Format from, Format to, const Values& settings)
{
    SCOPED_TRACE (formatName (from) + " to " + formatName (to));
    auto source = loadOrFail (from);
    auto target = loadOrFail (to);
    ASSERT_TRUE (source.instance != nullptr && target.instance != nullptr);
    ASSERT_EQ (source.own.size(), settings.size());
    ASSERT_EQ (target.own.size(), settings.size());

    for (int i = 0; i < numPluginParameters; ++i)
        source.set (i, settings[static_cast<size_t> (i)]);
    source.settle();
    const auto container = source.pluginState();
    const auto saved = valuesInContainer (container);
    ASSERT_TRUE (saved.has_value()) << "no state container in the " << formatName (from) << " host state";
    // Every chosen value is one the laws keep.
    expectSameValues (*saved, settings, "saved");

    target.restorePluginState (container);
    expectSameValues (target.savedValues(), *saved, "restored");
    // The VST3 wrapper reads the restored values back for the host; an LV2 host is not
    // told (the plug-in reports no changes), so only the plug-in's own view is compared.
    if (to == Format::vst3)
        expectSameValues (target.hostValues(), *saved, "reported by the host");

    source.instance->releaseResources();
    target.instance->releaseResources();
}

TEST (StateAcrossFormats, Vst3StateRestoresInLv2) { carryState (Format::vst3, Format::lv2, firstSettings); }

TEST (StateAcrossFormats, Lv2StateRestoresInVst3) { carryState (Format::lv2, Format::vst3, secondSettings); }
} // namespace
} // namespace t9vhost
