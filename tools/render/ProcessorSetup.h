#pragma once

#include "RenderOptions.h"
#include "processor/T9v210AudioProcessor.h"

#include <array>

namespace t9render
{
using Processor = Tessaro9V::T9v210AudioProcessor;

// Parameter index for a long or short name (letter case ignored), or -1.
int findParameter (Processor& processor, const juce::String& name);

// Program index for a number 0..10 or a program name (letter case and runs of spaces
// ignored), or -1.
int findProgram (Processor& processor, const juce::String& text);

struct SetupResult
{
    juce::String error; // one line, empty on success
    int exitCode = exitOk;
};

// Applies --program, then --state, then every --set.
SetupResult applySettings (Processor& processor, const Options& options);

// Loads a state file: the container a host stores, or the XML document inside it.
juce::String loadStateFile (Processor& processor, const juce::File& file);

// Sets a mono or stereo layout (in = out) and prepares the processor. False if refused.
bool prepareProcessor (Processor& processor, int numChannels, double sampleRate, int blockSize);

std::array<float, Tessaro9V::kNumParameters> parameterValues (Processor& processor);
void setParameterValues (Processor& processor, const std::array<float, Tessaro9V::kNumParameters>& values);

// The parameters with their current values, then the programs (the current one marked).
juce::String listing (Processor& processor);
} // namespace t9render
