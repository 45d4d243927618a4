#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace t9vhost
{
// The hosting format of that name ("VST3" or "LV2"), shared by all tests of the process.
juce::AudioPluginFormat& hostFormat (const juce::String& name);
} // namespace t9vhost
