#pragma once

#include "AudioFileIO.h"
#include "ProcessorSetup.h"

#include <functional>

namespace t9render
{
struct RenderReport
{
    LevelMeter input, output;
    juce::int64 frames = 0;
    juce::int64 clippedSamples = 0; // output samples beyond full scale in an integer format
};

using ProgressCallback = std::function<void (double fraction)>;

// Streams the reader through a prepared processor in blocks of blockSize and writes a
// WAV of the given bits next to the output, moving it into place only when complete.
// Returns a one-line error or empty.
juce::String renderFile (Processor& processor, juce::AudioFormatReader& reader, const juce::File& output, int bits,
                         int blockSize, RenderReport& report, const ProgressCallback& progress = {});
} // namespace t9render
