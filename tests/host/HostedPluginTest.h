#pragma once

#include "PluginHost.h"

#include <gtest/gtest.h>

namespace t9vhost
{
// One freshly loaded instance of the bundle of the test's format, stereo and prepared.
class HostedPluginTest : public ::testing::TestWithParam<Format>
{
protected:
    void SetUp() override
    {
        juce::String error;
        plugin = load (GetParam(), error);
        ASSERT_NE (plugin.instance, nullptr) << formatName (GetParam()) << ": " << error;
        ASSERT_TRUE (error.isEmpty()) << error;
    }

    void TearDown() override
    {
        if (plugin.instance != nullptr)
            plugin.instance->releaseResources();
        plugin = {};
    }

    HostedPlugin plugin;
};

inline std::string formatParamName (const ::testing::TestParamInfo<Format>& info) { return formatName (info.param); }

#define T9V_FOR_BOTH_FORMATS(suite)                                                                                    \
    INSTANTIATE_TEST_SUITE_P (Bundles, suite, ::testing::Values (Format::vst3, Format::lv2), formatParamName)
} // namespace t9vhost
