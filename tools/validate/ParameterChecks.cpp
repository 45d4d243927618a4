#include "Validator.h"

#include <algorithm>
#include <atomic>
#include <iostream>
#include <set>
#include <thread>

namespace t9validate
{
namespace
{
bool isWrapperParameter (const juce::AudioProcessorParameter& param)
{
    const auto* hosted = dynamic_cast<const juce::HostedAudioProcessorParameter*> (&param);
    if (hosted == nullptr)
        return false;
    const auto id = hosted->getParameterID();
    // VST3: the bypass ('byps') and program-change parameters; LV2: the "enabled" port.
    return id == juce::String (static_cast<juce::int64> (0x62797073)) || id == "1886548852" || id == "sym:enabled";
}

void defaultsAndNames (Context& ctx)
{
    auto p = ctx.create();
    if (p == nullptr)
        return;
    const auto names = parameterNames (*p);
    ctx.expect (!names.empty(), "no parameters");

    std::set<juce::String> unique;
    for (size_t i = 0; i < names.size(); ++i)
    {
        ctx.expect (names[i].trim().isNotEmpty(), "parameter " + juce::String (i) + " has an empty name");
        // The framework's wrappers add parameters of their own (a host bypass, VST3's
        // program change); a clash with one of those is the wrapper's, reported apart.
        const auto* param = p->getParameters()[static_cast<int> (i)];
        if (isWrapperParameter (*param))
        {
            if (std::count (names.begin(), names.end(), names[i]) > 1)
                std::cout << "    note: the " << ctx.host.formatName() << " wrapper adds its own \"" << names[i]
                          << "\" parameter next to the plug-in's\n";
            continue;
        }
        ctx.expect (unique.insert (names[i]).second,
                    "parameter " + juce::String (i) + " repeats the name \"" + names[i] + "\"");
        const float d = p->getParameters()[static_cast<int> (i)]->getDefaultValue();
        ctx.expect (d >= 0.0f && d <= 1.0f, "parameter " + juce::String (i) + " (" + names[i] + ") default " +
                                                juce::String (d) + " outside 0..1");
    }

    // Index order: the same in a second instance, and after automation and a state restore.
    auto other = ctx.create (96000.0, 64);
    if (other == nullptr)
        return;
    ctx.expect (parameterNames (*other) == names, "a second instance lists its parameters in another order");

    juce::MemoryBlock state;
    p->getStateInformation (state);
    randomiseParameters (ctx, *p);
    p->setStateInformation (state.getData(), static_cast<int> (state.getSize()));
    ctx.expect (parameterNames (*p) == names, "the parameter order changed after automation and a state restore");
}

// Every parameter jumps to a random value every 32 samples.
void automationEvery32Samples (Context& ctx)
{
    auto p = ctx.create (48000.0, 32);
    if (p == nullptr)
        return;
    BlockBuffer buffer (2, 32);
    juce::MidiBuffer midi;
    for (int block = 0; block < 3000; ++block)
    {
        randomiseParameters (ctx, *p);
        auto& b = buffer.view (32);
        fillNoise (ctx, b, 32);
        process (*p, b, midi);
        const auto s = scan (b, 32);
        if (!ctx.expect (s.clean(), "block " + juce::String (block) + ": " + s.describe()))
            return;
    }
}

// The host's automation thread writes while the audio thread processes.
void automationFromAnotherThread (Context& ctx)
{
    auto p = ctx.create (44100.0, 64);
    if (p == nullptr)
        return;

    std::atomic<bool> done{ false };
    std::atomic<int> dirtyBlocks{ 0 };
    const auto params = p->getParameters();
    std::thread automation (
        [&, seed = ctx.random()]
        {
            std::mt19937 random (seed);
            std::uniform_real_distribution<float> value (0.0f, 1.0f);
            for (int i = 0; i < 400000 && !done.load(); ++i)
                params[i % params.size()]->setValue (value (random));
        });

    std::thread audio (
        [&, seed = ctx.random()]
        {
            std::mt19937 random (seed);
            std::uniform_real_distribution<float> sample (-0.5f, 0.5f);
            std::uniform_int_distribution<int> size (1, 64);
            BlockBuffer buffer (2, 64);
            juce::MidiBuffer midi;
            for (int block = 0; block < 6000; ++block)
            {
                const int n = size (random);
                auto& b = buffer.view (n);
                for (int c = 0; c < 2; ++c)
                    for (int i = 0; i < n; ++i)
                        b.setSample (c, i, sample (random));
                process (*p, b, midi);
                if (!scan (b, n).clean())
                    dirtyBlocks.fetch_add (1);
            }
            done.store (true);
        });

    audio.join();
    automation.join();
    ctx.expect (dirtyBlocks.load() == 0,
                juce::String (dirtyBlocks.load()) + " blocks with non-finite or subnormal samples");
}
} // namespace

std::vector<Check> parameterChecks()
{
    return {
        { "parameter defaults, names and order", defaultsAndNames },
        { "automation of every parameter every 32 samples", automationEvery32Samples },
        { "automation from another thread while processing", automationFromAnotherThread },
    };
}
} // namespace t9validate
