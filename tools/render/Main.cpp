// t9v210-render: runs audio files through the 9V-210 processor offline, and plots its
// magnitude response.
#include "ConsoleProgress.h"
#include "Renderer.h"
#include "ResponsePlot.h"

#include <juce_events/juce_events.h>

#include <iostream>

namespace
{
using namespace t9render;

int fail (const juce::String& message, int exitCode)
{
    std::cerr << "t9v210-render: " << message << std::endl;
    return exitCode;
}

juce::File resolve (const juce::String& path) { return juce::File::getCurrentWorkingDirectory().getChildFile (path); }

juce::String plotTitle (Processor& processor, const Options& options, double sampleRate)
{
    juce::String title = "9V-210";
    if (options.program.isNotEmpty())
        title << "  " << processor.getProgramName (processor.getCurrentProgram());
    title << "  (Analog off, " << juce::String (sampleRate / 1000.0, 1) << " kHz)";
    return title;
}

int run (const juce::StringArray& arguments)
{
    const auto parsed = parseArguments (arguments);
    if (!parsed.ok())
        return fail (parsed.error, exitUsage);
    const auto& options = parsed.options;
    if (options.help)
    {
        std::cout << usageText();
        return exitOk;
    }

    Processor processor;
    if (const auto setup = applySettings (processor, options); setup.error.isNotEmpty())
        return fail (setup.error, setup.exitCode);

    if (options.list)
        std::cout << listing (processor);

    const bool rendering = options.input.isNotEmpty();
    const auto input = rendering ? resolve (options.input) : juce::File();
    const auto output = rendering ? resolve (options.output) : juce::File();
    const auto plot = options.plotFile.isNotEmpty() ? resolve (options.plotFile) : juce::File();

    if (rendering && isSameFile (input, output))
        return fail ("output " + options.output + " is the input file; refusing to overwrite it", exitUsage);
    if (plot != juce::File() && rendering && (isSameFile (plot, input) || isSameFile (plot, output)))
        return fail ("plot file " + options.plotFile + " is the input or the output file", exitUsage);

    // Taken before rendering: the plot shows the settings, whatever the audio does.
    const auto values = parameterValues (processor);
    double sampleRate = 48000.0;

    if (rendering)
    {
        juce::String error;
        const auto reader = openAudioFile (input, error);
        if (reader == nullptr)
            return fail (error, exitFailure);

        const auto channels = static_cast<int> (reader->numChannels);
        if (channels != 1 && channels != 2)
            return fail (input.getFileName() + " has " + juce::String (channels) +
                             " channels; only mono and stereo files are supported",
                         exitFailure);
        if (reader->sampleRate < 8000.0 || reader->sampleRate > 768000.0)
            return fail (input.getFileName() + " has an unsupported sample rate of " +
                             juce::String (reader->sampleRate) + " Hz",
                         exitFailure);
        sampleRate = reader->sampleRate;

        if (!prepareProcessor (processor, channels, sampleRate, options.blockSize))
            return fail ("the processor refused a " + juce::String (channels) + "-channel layout", exitFailure);

        const double seconds = static_cast<double> (reader->lengthInSamples) / sampleRate;
        std::cout << "input:  " << input.getFileName() << ", " << (channels == 1 ? "mono" : "stereo") << ", "
                  << juce::String (sampleRate, 0) << " Hz, " << juce::String (seconds, 2) << " s" << std::endl;

        RenderReport report;
        ConsoleProgress progress (seconds > 10.0);
        error = renderFile (processor, *reader, output, options.bits, options.blockSize, report,
                            [&progress] (double fraction) { progress.update (fraction); });
        progress.finish();
        if (error.isNotEmpty())
            return fail (error, exitFailure);

        std::cout << "input:  peak " << formatDbfs (report.input.peakDb()) << ", RMS "
                  << formatDbfs (report.input.rmsDb()) << "\n"
                  << "output: peak " << formatDbfs (report.output.peakDb()) << ", RMS "
                  << formatDbfs (report.output.rmsDb()) << "\n"
                  << "wrote:  " << output.getFileName() << " ("
                  << (options.bits == 32 ? juce::String ("32-bit float") : juce::String (options.bits) + "-bit")
                  << " WAV)" << std::endl;
        if (report.clippedSamples > 0)
            std::cerr << "t9v210-render: warning: " << report.clippedSamples
                      << " output samples clipped at full scale (use --bits 32 to keep them)" << std::endl;
    }

    if (plot != juce::File())
    {
        const auto frequencies = logFrequencies (20.0, 20000.0, options.plotWidth);
        const auto points = measureResponse (values, sampleRate, options.blockSize, frequencies);
        const auto image = drawResponsePlot (points, options.plotWidth, options.plotHeight,
                                             plotTitle (processor, options, sampleRate));
        if (const auto error = writePng (image, plot); error.isNotEmpty())
            return fail (error, exitFailure);
        std::cout << "plot:   " << plot.getFileName() << " (" << options.plotWidth << "x" << options.plotHeight << ")"
                  << std::endl;
    }
    return exitOk;
}
} // namespace

int main (int argc, char** argv)
{
    // Fonts and images need the framework initialised; no display is opened.
    juce::ScopedJuceInitialiser_GUI juceInitialiser;
    juce::StringArray arguments;
    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));
    return run (arguments);
}
