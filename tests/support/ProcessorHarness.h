#pragma once

#include "processor/T9v210AudioProcessor.h"

#include <vector>

namespace t9test
{
// Drives a processor the way a host does: a layout, prepare, then blocks of audio.
struct Harness
{
    explicit Harness (int inputs = 2, int outputs = 2, double rate = 48000.0, int block = 512)
        : sampleRate (rate), blockSize (block)
    {
        const auto setFor = [] (int n) { return n == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo(); };
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (setFor (inputs));
        layout.outputBuses.add (setFor (outputs));
        layoutAccepted = processor.setBusesLayout (layout);
        processor.setRateAndBufferSizeDetails (rate, block);
        processor.prepareToPlay (rate, block);
    }

    void set (int index, float value) { processor.setParameter (index, value); }

    // Everything that colours or adds to the sound off: the plain gain frame remains.
    void plainFrame()
    {
        set (Tessaro9V::kAnalog, 0.0f);
        set (Tessaro9V::kEqOn, 0.0f);
        set (Tessaro9V::kLowFilterOn, 0.0f);
        set (Tessaro9V::kHighFilterOn, 0.0f);
    }

    void process (juce::AudioBuffer<float>& buffer)
    {
        juce::MidiBuffer midi;
        processor.processBlock (buffer, midi);
    }

    Tessaro9V::T9v210AudioProcessor processor;
    bool layoutAccepted = false;
    double sampleRate;
    int blockSize;
};

inline juce::AudioBuffer<float> sineBuffer (int channels, int samples, double frequency, double rate, float amplitude)
{
    juce::AudioBuffer<float> buffer (channels, samples);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < samples; ++i)
            buffer.setSample (c, i, amplitude * static_cast<float> (std::sin (2.0 * juce::MathConstants<double>::pi * frequency * i / rate)));
    return buffer;
}
} // namespace t9test
