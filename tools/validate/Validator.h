#pragma once

#include "PluginHost.h"

#include <cstdint>
#include <functional>
#include <random>

namespace t9validate
{
// Parameters the plug-in itself defines; format wrappers may append their own after them.
constexpr size_t pluginParameterCount = 17;

// What the checks share: the bundle, the seeded random source and the tally of failures.
struct Context
{
    PluginHost& host;
    uint32_t seed;
    std::mt19937 random;
    juce::File statesFolder; // tests/data/states, may not exist
    bool strictRealtime = false;
    int failures = 0;

    // Records a failure of the running check (printed with the seed by the caller).
    void fail (const juce::String& what);
    bool expect (bool condition, const juce::String& what)
    {
        if (!condition)
            fail (what);
        return condition;
    }

    float uniform (float low = 0.0f, float high = 1.0f)
    {
        return std::uniform_real_distribution<float> (low, high) (random);
    }
    int integer (int low, int high) { return std::uniform_int_distribution<int> (low, high) (random); }

    // A prepared stereo instance; fails the check and returns null when creation fails.
    std::unique_ptr<juce::AudioPluginInstance> create (double sampleRate = 48000.0, int blockSize = 512);
};

// Sets every parameter to a random value (the host's way: through its parameter objects).
void randomiseParameters (Context&, juce::AudioPluginInstance&);

// Selects a program and runs one sample of silence, so that wrappers which apply
// program changes while processing have applied it before the next parameter change.
void selectProgram (juce::AudioPluginInstance&, int program);

// Fills channels with noise of the given peak.
void fillNoise (Context&, juce::AudioBuffer<float>&, int numSamples, float peak = 0.5f);

struct Scan
{
    int nonFinite = 0;
    int subnormal = 0;
    bool clean() const { return nonFinite == 0 && subnormal == 0; }
    juce::String describe() const;
};
Scan scan (const juce::AudioBuffer<float>&, int numSamples);

// Audio buffer sized once for the largest block, viewed at any smaller size without
// allocating.
class BlockBuffer
{
public:
    BlockBuffer (int channels, int maxSamples);
    juce::AudioBuffer<float>& view (int numSamples);

private:
    juce::AudioBuffer<float> storage;
    juce::AudioBuffer<float> current;
};

// Every check: a name and a body that reports through Context::fail.
struct Check
{
    const char* name;
    std::function<void (Context&)> run;
};

std::vector<Check> lifecycleChecks();
std::vector<Check> parameterChecks();
std::vector<Check> processingChecks();
std::vector<Check> stateChecks();
std::vector<Check> realtimeChecks();

// Writes the saved-state table (blobs and the values they restore to).
bool writeStateTable (Context&, const juce::File& folder);
} // namespace t9validate
