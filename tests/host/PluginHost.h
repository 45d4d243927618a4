#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// A minimal host around JUCE's plug-in hosting classes: loads one of the built bundles,
// separates the plug-in's own parameters from those a format wrapper adds, processes
// blocks and moves the plug-in's own state container in and out of the host's state.
namespace t9vhost
{
enum class Format
{
    vst3,
    lv2
};

std::string formatName (Format format);
// Names the format in test output.
inline void PrintTo (Format format, std::ostream* os) { *os << formatName (format); }

inline constexpr int numPluginParameters = 17;
inline constexpr double sampleRate = 44100.0;
inline constexpr int blockSize = 512;

using Values = std::array<float, numPluginParameters>;

struct HostedPlugin
{
    std::unique_ptr<juce::AudioPluginInstance> instance;
    // The plug-in's own parameters in their index order.
    std::vector<juce::AudioProcessorParameter*> own;
    // What the wrapper adds on top (host bypass, program selector), with a description.
    std::vector<std::pair<juce::AudioProcessorParameter*, std::string>> added;

    juce::AudioProcessorParameter& parameter (int index) const { return *own.at (static_cast<size_t> (index)); }

    // Applies the layout and prepares for playing; false if the plug-in refuses it.
    bool prepare (const juce::AudioProcessor::BusesLayout& layout);
    bool prepare(); // stereo

    // Sets one of the plug-in's parameters as a host does.
    void set (int index, float value);
    // One silent block: the LV2 host hands values to the plug-in only while processing.
    void settle();
    void process (juce::AudioBuffer<float>& buffer);

    // The plug-in's own state container, cut out of the host's state of this format.
    juce::MemoryBlock pluginState();
    void restorePluginState (const juce::MemoryBlock& container);
    // The seventeen normalised values as the plug-in saves them, read from its state.
    Values savedValues();
    // The seventeen values as the host's parameter objects report them.
    Values hostValues() const;
};

// Loads the bundle under test (the error text describes a failure), stereo prepared.
HostedPlugin load (Format format, juce::String& error);

// The normalised values in a state container, by index; nullopt if it does not parse.
std::optional<Values> valuesInContainer (const juce::MemoryBlock& container);

juce::AudioProcessor::BusesLayout layout (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out);
} // namespace t9vhost
