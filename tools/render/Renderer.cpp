#include "Renderer.h"

namespace t9render
{
juce::String renderFile (Processor& processor, juce::AudioFormatReader& reader, const juce::File& output, int bits,
                         int blockSize, RenderReport& report, const ProgressCallback& progress)
{
    const int numChannels = static_cast<int> (reader.numChannels);
    const juce::int64 totalFrames = reader.lengthInSamples;

    // Written to a sibling temporary file first, so a failed run leaves an older output intact.
    juce::TemporaryFile temporary (output);
    auto writer = createWavWriter (temporary.getFile().createOutputStream(), reader.sampleRate, numChannels, bits);
    if (writer == nullptr)
        return "cannot create output file " + output.getFullPathName();

    juce::AudioBuffer<float> buffer (numChannels, blockSize);
    juce::MidiBuffer midi;

    for (juce::int64 position = 0; position < totalFrames; position += blockSize)
    {
        const int count = static_cast<int> (juce::jmin<juce::int64> (blockSize, totalFrames - position));
        buffer.setSize (numChannels, count, false, false, true);
        if (!reader.read (&buffer, 0, count, position, true, numChannels > 1))
            return "read error in input at frame " + juce::String (position);

        report.input.add (buffer, numChannels, count);
        processor.processBlock (buffer, midi);
        report.output.add (buffer, numChannels, count);

        if (bits < 32)
            for (int c = 0; c < numChannels; ++c)
                for (int i = 0; i < count; ++i)
                    if (std::abs (buffer.getSample (c, i)) > 1.0f)
                        ++report.clippedSamples;

        if (!writer->writeFromAudioSampleBuffer (buffer, 0, count))
            return "write error on " + output.getFullPathName();

        report.frames += count;
        if (progress)
            progress (static_cast<double> (report.frames) / static_cast<double> (totalFrames));
    }

    writer.reset(); // finishes the header
    if (!temporary.overwriteTargetFileWithTemporary())
        return "cannot write output file " + output.getFullPathName();
    return {};
}
} // namespace t9render
