#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

namespace t9render
{
// Opens a WAV, AIFF or FLAC file. On failure returns null and a one-line reason.
std::unique_ptr<juce::AudioFormatReader> openAudioFile (const juce::File& file, juce::String& error);

// A WAV writer on the stream (which it takes over): 16- or 24-bit integer, or 32-bit float.
std::unique_ptr<juce::AudioFormatWriter> createWavWriter (std::unique_ptr<juce::OutputStream> stream, double sampleRate,
                                                          int numChannels, int bits);

// True when both names lead to the same file (links followed), whether or not b exists yet.
bool isSameFile (const juce::File& a, const juce::File& b);

// Peak and RMS over all channels of everything it was shown.
class LevelMeter
{
public:
    void add (const juce::AudioBuffer<float>& buffer, int numChannels, int numSamples) noexcept;

    double peakDb() const noexcept;
    double rmsDb() const noexcept;
    float peak() const noexcept { return peakValue; }

private:
    double sumOfSquares = 0.0;
    juce::int64 count = 0;
    float peakValue = 0.0f;
};

// "-6.02 dBFS", or "-inf dBFS" for silence.
juce::String formatDbfs (double db);
} // namespace t9render
