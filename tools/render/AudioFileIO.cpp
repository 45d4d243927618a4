#include "AudioFileIO.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace t9render
{
std::unique_ptr<juce::AudioFormatReader> openAudioFile (const juce::File& file, juce::String& error)
{
    if (!file.exists())
    {
        error = "input file not found: " + file.getFullPathName();
        return nullptr;
    }
    if (file.isDirectory())
    {
        error = "input is a directory: " + file.getFullPathName();
        return nullptr;
    }

    auto stream = file.createInputStream();
    if (stream == nullptr)
    {
        error = "cannot open input file " + file.getFullPathName();
        return nullptr;
    }

    // Each format gets its own look at the stream; the order does not matter because
    // every reader checks its own header.
    juce::WavAudioFormat wav;
    juce::AiffAudioFormat aiff;
    juce::FlacAudioFormat flac;
    for (juce::AudioFormat* format : std::initializer_list<juce::AudioFormat*>{ &wav, &aiff, &flac })
    {
        stream->setPosition (0);
        if (auto* reader = format->createReaderFor (stream.get(), false))
        {
            stream.release(); // the reader owns it now
            return std::unique_ptr<juce::AudioFormatReader> (reader);
        }
    }

    error = "cannot read " + file.getFileName() + ": not a readable WAV, AIFF or FLAC file";
    return nullptr;
}

std::unique_ptr<juce::AudioFormatWriter> createWavWriter (std::unique_ptr<juce::OutputStream> stream, double sampleRate,
                                                          int numChannels, int bits)
{
    juce::WavAudioFormat wav;
    auto* writer = wav.createWriterFor (stream.get(), sampleRate, static_cast<unsigned int> (numChannels), bits, {}, 0);
    if (writer != nullptr)
        stream.release(); // the writer owns it now
    return std::unique_ptr<juce::AudioFormatWriter> (writer);
}

bool isSameFile (const juce::File& a, const juce::File& b)
{
    namespace fs = std::filesystem;
    const fs::path pa (a.getFullPathName().toStdString());
    const fs::path pb (b.getFullPathName().toStdString());
    std::error_code ec;
    if (fs::equivalent (pa, pb, ec))
        return true; // same inode: hard links and symbolic links included
    const auto ca = fs::weakly_canonical (pa, ec);
    if (ec)
        return pa == pb;
    const auto cb = fs::weakly_canonical (pb, ec);
    return ec ? pa == pb : ca == cb;
}

void LevelMeter::add (const juce::AudioBuffer<float>& buffer, int numChannels, int numSamples) noexcept
{
    for (int c = 0; c < numChannels; ++c)
    {
        const float* data = buffer.getReadPointer (c);
        for (int i = 0; i < numSamples; ++i)
        {
            const float x = data[i];
            sumOfSquares += static_cast<double> (x) * static_cast<double> (x);
            peakValue = std::max (peakValue, std::abs (x));
        }
    }
    count += static_cast<juce::int64> (numChannels) * numSamples;
}

double LevelMeter::peakDb() const noexcept
{
    return peakValue > 0.0f ? 20.0 * std::log10 (static_cast<double> (peakValue)) : -HUGE_VAL;
}

double LevelMeter::rmsDb() const noexcept
{
    if (count == 0 || sumOfSquares <= 0.0)
        return -HUGE_VAL;
    return 10.0 * std::log10 (sumOfSquares / static_cast<double> (count));
}

juce::String formatDbfs (double db)
{
    if (!std::isfinite (db))
        return db < 0 ? "-inf dBFS" : "+inf dBFS";
    return (db > 0.0 ? "+" : "") + juce::String (db, 2) + " dBFS";
}
} // namespace t9render
