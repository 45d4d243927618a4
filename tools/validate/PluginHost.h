#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>
#include <vector>

namespace t9validate
{
// One built bundle (VST3 or LV2) opened through JUCE's hosting classes, and the few
// host-side operations every check needs.
class PluginHost
{
public:
    explicit PluginHost (const juce::File& bundle);

    bool isLoaded() const { return description != nullptr; }
    const juce::String& loadError() const { return error; }
    bool isLv2() const { return lv2; }
    juce::String formatName() const { return lv2 ? "LV2" : "VST3"; }

    // A stereo instance, prepared for the given rate and block size.
    std::unique_ptr<juce::AudioPluginInstance> create (double sampleRate, int blockSize, juce::String& whyNot);

    // The path of the plug-in binary as the dynamic loader has it (empty before the first
    // instance exists).
    juce::String loadedModulePath() const;
    juce::String expectedModulePath() const;

    // The plug-in's own state blob inside the host's state for this format, and back.
    juce::MemoryBlock extractPluginState (const juce::MemoryBlock& hostState) const;
    juce::MemoryBlock wrapPluginState (juce::AudioPluginInstance& instance, const juce::MemoryBlock& pluginState) const;

private:
    juce::File bundle;
    bool lv2 = false;
    std::unique_ptr<juce::AudioPluginFormat> format;
    std::unique_ptr<juce::PluginDescription> description;
    juce::String error;
};

// Prepares for a sample rate and a maximum block size.
void prepare (juce::AudioPluginInstance& p, double sampleRate, int blockSize);

// processBlock inside the real-time probe's scope.
void process (juce::AudioPluginInstance& p, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi);

std::vector<float> parameterValues (juce::AudioPluginInstance& p);
std::vector<juce::String> parameterNames (juce::AudioPluginInstance& p);
} // namespace t9validate
