#include "Validator.h"

#include <cmath>
#include <iostream>

namespace t9validate
{
void Context::fail (const juce::String& what)
{
    ++failures;
    std::cout << "    FAIL: " << what << "\n";
}

std::unique_ptr<juce::AudioPluginInstance> Context::create (double sampleRate, int blockSize)
{
    juce::String why;
    auto instance = host.create (sampleRate, blockSize, why);
    if (instance == nullptr)
        fail ("could not create an instance: " + why);
    return instance;
}

void randomiseParameters (Context& ctx, juce::AudioPluginInstance& p)
{
    for (auto* param : p.getParameters())
        param->setValue (ctx.uniform());
}

void selectProgram (juce::AudioPluginInstance& p, int program)
{
    p.setCurrentProgram (program);
    juce::AudioBuffer<float> one (juce::jmax (2, p.getTotalNumInputChannels()), 1);
    one.clear();
    juce::MidiBuffer midi;
    process (p, one, midi);
}

void fillNoise (Context& ctx, juce::AudioBuffer<float>& b, int numSamples, float peak)
{
    for (int c = 0; c < b.getNumChannels(); ++c)
    {
        auto* d = b.getWritePointer (c);
        for (int i = 0; i < numSamples; ++i)
            d[i] = ctx.uniform (-peak, peak);
    }
}

juce::String Scan::describe() const
{
    return juce::String (nonFinite) + " non-finite and " + juce::String (subnormal) + " subnormal samples";
}

Scan scan (const juce::AudioBuffer<float>& b, int numSamples)
{
    Scan s;
    for (int c = 0; c < b.getNumChannels(); ++c)
    {
        const auto* d = b.getReadPointer (c);
        for (int i = 0; i < numSamples; ++i)
        {
            const auto kind = std::fpclassify (d[i]);
            s.nonFinite += (kind == FP_NAN || kind == FP_INFINITE) ? 1 : 0;
            s.subnormal += kind == FP_SUBNORMAL ? 1 : 0;
        }
    }
    return s;
}

BlockBuffer::BlockBuffer (int channels, int maxSamples) : storage (channels, juce::jmax (1, maxSamples)) {}

juce::AudioBuffer<float>& BlockBuffer::view (int numSamples)
{
    current.setDataToReferTo (storage.getArrayOfWritePointers(), storage.getNumChannels(), numSamples);
    return current;
}
} // namespace t9validate
