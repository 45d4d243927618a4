#pragma once

#include <gtest/gtest.h>
#include <juce_audio_formats/juce_audio_formats.h>

#include <cmath>
#include <memory>

namespace t9test
{
// A fresh folder per test, removed afterwards.
class ScratchFolder
{
public:
    ScratchFolder()
        : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                      .getNonexistentChildFile ("t9v210-render-test", "", false))
    {
        folder.createDirectory();
    }
    ~ScratchFolder() { folder.deleteRecursively(); }

    juce::File file (const juce::String& name) const { return folder.getChildFile (name); }
    const juce::File& path() const { return folder; }

private:
    juce::File folder;
};

struct ToolRun
{
    int exitCode = -1;
    juce::String output; // stdout and stderr together
};

// Runs the renderer with these arguments, from the given working folder.
inline ToolRun runRenderer (const juce::StringArray& arguments, const juce::File& workingFolder)
{
    const auto previous = juce::File::getCurrentWorkingDirectory();
    workingFolder.setAsCurrentWorkingDirectory();
    juce::StringArray command{ T9V_RENDER_EXECUTABLE };
    command.addArray (arguments);

    ToolRun run;
    juce::ChildProcess child;
    if (child.start (command, juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr))
    {
        run.output = child.readAllProcessOutput();
        child.waitForProcessToFinish (120000);
        run.exitCode = static_cast<int> (child.getExitCode());
    }
    previous.setAsCurrentWorkingDirectory();
    return run;
}

// Deterministic test signal: a few sines and a little noise, different per channel.
inline juce::AudioBuffer<float> testSignal (int channels, int frames, double rate, float amplitude = 0.5f)
{
    juce::AudioBuffer<float> buffer (channels, frames);
    juce::Random random (1234);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < frames; ++i)
        {
            const double t = i / rate;
            const double x = 0.6 * std::sin (2.0 * juce::MathConstants<double>::pi * (220.0 + 110.0 * c) * t) +
                             0.3 * std::sin (2.0 * juce::MathConstants<double>::pi * 3150.0 * t) +
                             0.1 * (2.0 * random.nextDouble() - 1.0);
            buffer.setSample (c, i, amplitude * static_cast<float> (x));
        }
    return buffer;
}

inline void writeAudio (juce::AudioFormat& format, const juce::File& file, const juce::AudioBuffer<float>& buffer,
                        double rate, int bits)
{
    file.deleteFile();
    auto stream = file.createOutputStream();
    ASSERT_NE (stream, nullptr);
    std::unique_ptr<juce::AudioFormatWriter> writer (
        format.createWriterFor (stream.get(), rate, static_cast<unsigned int> (buffer.getNumChannels()), bits, {}, 0));
    ASSERT_NE (writer, nullptr) << "cannot write " << file.getFileName();
    stream.release();
    ASSERT_TRUE (writer->writeFromAudioSampleBuffer (buffer, 0, buffer.getNumSamples()));
}

inline void writeWav (const juce::File& file, const juce::AudioBuffer<float>& buffer, double rate = 48000.0,
                      int bits = 32)
{
    juce::WavAudioFormat wav;
    writeAudio (wav, file, buffer, rate, bits);
}

struct DecodedAudio
{
    juce::AudioBuffer<float> samples;
    double sampleRate = 0.0;
    int bitsPerSample = 0;
    bool floatingPoint = false;
};

// Reads any of the formats the renderer accepts, as the renderer sees it.
inline DecodedAudio readAudio (const juce::File& file)
{
    juce::AudioFormatManager formats;
    formats.registerBasicFormats();
    DecodedAudio result;
    std::unique_ptr<juce::AudioFormatReader> reader (formats.createReaderFor (file));
    if (reader == nullptr)
        return result;
    result.sampleRate = reader->sampleRate;
    result.bitsPerSample = static_cast<int> (reader->bitsPerSample);
    result.floatingPoint = reader->usesFloatingPointData;
    result.samples.setSize (static_cast<int> (reader->numChannels), static_cast<int> (reader->lengthInSamples));
    reader->read (&result.samples, 0, result.samples.getNumSamples(), 0, true, true);
    return result;
}
} // namespace t9test
