// The renderer end to end: generated files in, the executable run as a user would, the
// written file read back.
#include "RenderTestSupport.h"

#include <juce_graphics/juce_graphics.h>

using namespace t9test;

namespace
{
const juce::StringArray plainFrame{ "--set", "Analog=0", "--set", "EQ on=0", "--set", "LPOn=0", "--set", "HPOn=0" };

juce::StringArray concat (juce::StringArray a, const juce::StringArray& b)
{
    a.addArray (b);
    return a;
}

// Largest |out - in × gain| relative to the input's peak.
double worstDeviation (const juce::AudioBuffer<float>& in, const juce::AudioBuffer<float>& out, double gain)
{
    double worst = 0.0;
    for (int c = 0; c < in.getNumChannels(); ++c)
        for (int i = 0; i < in.getNumSamples(); ++i)
            worst = std::max (worst, std::abs (out.getSample (c, i) - gain * in.getSample (c, i)));
    return worst / in.getMagnitude (0, in.getNumSamples());
}

double dbToGain (double db) { return std::pow (10.0, db / 20.0); }

struct NullCase
{
    const char* name;
    const char* extension;
    int channels;
    int inputBits;
    int blockSize;
};

class RendererNullTest : public ::testing::TestWithParam<NullCase>
{
};
} // namespace

// Analog, EQ and filters off at 0 dB: only the chain's scale and its inverse remain, which
// cost a unit or two in the last place.
TEST_P (RendererNullTest, GivesTheInputBack)
{
    const auto& param = GetParam();
    ScratchFolder scratch;
    const auto input = scratch.file (juce::String ("in.") + param.extension);
    const auto signal = testSignal (param.channels, 30011, 44100.0);
    if (juce::String (param.extension) == "wav")
        writeWav (input, signal, 44100.0, param.inputBits);
    else if (juce::String (param.extension) == "aiff")
    {
        juce::AiffAudioFormat aiff;
        writeAudio (aiff, input, signal, 44100.0, param.inputBits);
    }
    else
    {
        juce::FlacAudioFormat flac;
        writeAudio (flac, input, signal, 44100.0, param.inputBits);
    }
    const auto decodedInput = readAudio (input);
    ASSERT_EQ (decodedInput.samples.getNumChannels(), param.channels);

    const auto run =
        runRenderer (concat (plainFrame, { "--block", juce::String (param.blockSize), input.getFileName(), "out.wav" }),
                     scratch.path());
    ASSERT_EQ (run.exitCode, 0) << run.output;

    const auto out = readAudio (scratch.file ("out.wav"));
    EXPECT_TRUE (out.floatingPoint);
    EXPECT_EQ (out.bitsPerSample, 32);
    EXPECT_EQ (out.sampleRate, 44100.0);
    ASSERT_EQ (out.samples.getNumChannels(), param.channels);
    ASSERT_EQ (out.samples.getNumSamples(), decodedInput.samples.getNumSamples());
    // Three roundings (scale, its single-precision inverse, their product off 1) of 2^-24 each.
    EXPECT_LT (worstDeviation (decodedInput.samples, out.samples, 1.0), 6.0 * std::ldexp (1.0, -24));

    // Same levels reported for input and output.
    EXPECT_TRUE (run.output.contains ("input:  peak")) << run.output;
    const auto inLine =
        run.output.fromFirstOccurrenceOf ("input:  peak", false, false).upToFirstOccurrenceOf ("\n", false, false);
    const auto outLine =
        run.output.fromFirstOccurrenceOf ("output: peak", false, false).upToFirstOccurrenceOf ("\n", false, false);
    EXPECT_EQ (inLine, outLine) << run.output;
}

INSTANTIATE_TEST_SUITE_P (Formats, RendererNullTest,
                          ::testing::Values (NullCase{ "StereoWavFloat", "wav", 2, 32, 512 },
                                             NullCase{ "MonoWav16OddBlock", "wav", 1, 16, 100 },
                                             NullCase{ "StereoAiff24", "aiff", 2, 24, 64 },
                                             NullCase{ "StereoFlac24", "flac", 2, 24, 512 },
                                             NullCase{ "MonoFlac16SingleSample", "flac", 1, 16, 1 }),
                          [] (const auto& info) { return std::string (info.param.name); });

// Settings that change the level by a known amount, from --set, a program or a state file.
TEST (Renderer, AppliesSettingsProgramsAndStates)
{
    ScratchFolder scratch;
    writeWav (scratch.file ("in.wav"), testSignal (2, 9000, 48000.0, 0.25f));

    // A state as its XML document, and the same kind of document framed as a host blob.
    scratch.file ("state.xml")
        .replaceWithText (
            R"(<?xml version="1.0"?><QVA9V210SETTINGS Version="1.0.2" Gain="0.625" Output="0.5" Analog="0" Eq="0" LPOn="0" HPOn="0"/>)");
    {
        const juce::String text (R"(<qva9v210settings Gain="0.5" Output="0.25" Analog="0" Eq="0" LPOn="0" HPOn="0"/>)");
        juce::MemoryOutputStream blob;
        blob.write ("VC2!", 4);
        blob.writeInt (static_cast<int> (text.getNumBytesAsUTF8()));
        blob.write (text.toRawUTF8(), text.getNumBytesAsUTF8());
        blob.writeByte (0);
        scratch.file ("state.bin").replaceWithData (blob.getData(), blob.getDataSize());
    }

    struct Case
    {
        juce::StringArray arguments;
        double expectedDb; // from the gain law: dB = 48 v - 24
    };
    const Case cases[] = {
        { concat (plainFrame, { "--set", "Output level=0.375" }), -6.0 },
        { concat (plainFrame, { "--set", "output=0.375", "--set", "gain=0.5625" }), -3.0 },
        { concat (plainFrame, { "--set", "Polarity=1" }), 0.0 },
        // Program 8 carries −8.064 dB in and +8.064 dB out; the --set that follows wins.
        { concat ({ "--program", "8" }, concat (plainFrame, { "--set", "Output=0.5" })), -8.064 },
        { concat ({ "--program", "mix-  master   MIX" }, concat (plainFrame, { "--set", "Output=0.5" })), -8.064 },
        { { "--state", "state.xml" }, 6.0 },
        { { "--state", "state.bin" }, -12.0 },
        { { "--program", "6", "--state", "state.xml", "--set", "Gain=0.25" }, -12.0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments.joinIntoString (" "));
        const auto run = runRenderer (concat (c.arguments, { "in.wav", "out.wav" }), scratch.path());
        ASSERT_EQ (run.exitCode, 0) << run.output;
        const auto in = readAudio (scratch.file ("in.wav"));
        const auto out = readAudio (scratch.file ("out.wav"));
        const double sign = c.arguments.contains ("Polarity=1") ? -1.0 : 1.0;
        EXPECT_LT (worstDeviation (in.samples, out.samples, sign * dbToGain (c.expectedDb)), 1e-6);
    }
}

TEST (Renderer, WritesTheRequestedSampleFormat)
{
    ScratchFolder scratch;
    const auto signal = testSignal (2, 4000, 96000.0, 0.8f);
    writeWav (scratch.file ("in.wav"), signal, 96000.0);

    for (const int bits : { 16, 24, 32 })
    {
        SCOPED_TRACE (bits);
        const auto run =
            runRenderer (concat (plainFrame, { "--bits", juce::String (bits), "in.wav", "out.wav" }), scratch.path());
        ASSERT_EQ (run.exitCode, 0) << run.output;
        const auto out = readAudio (scratch.file ("out.wav"));
        EXPECT_EQ (out.bitsPerSample, bits);
        EXPECT_EQ (out.floatingPoint, bits == 32);
        EXPECT_EQ (out.sampleRate, 96000.0);
        // Within one step of the format (writers truncate), plus the chain's own rounding.
        const double chainRounding = 6.0 * std::ldexp (1.0, -24);
        const double step = bits == 32 ? 0.0 : std::ldexp (1.0, 1 - bits);
        EXPECT_LE (worstDeviation (signal, out.samples, 1.0) * signal.getMagnitude (0, signal.getNumSamples()),
                   step + chainRounding);
    }
}

TEST (Renderer, ReportsPeakAndRmsInDbfs)
{
    ScratchFolder scratch;
    // A full-cycle sine of amplitude 0.5: peak −6.02 dBFS, RMS −9.03 dBFS.
    juce::AudioBuffer<float> sine (1, 48000);
    for (int i = 0; i < sine.getNumSamples(); ++i)
        sine.setSample (
            0, i, 0.5f * static_cast<float> (std::sin (2.0 * juce::MathConstants<double>::pi * 1000.0 * i / 48000.0)));
    writeWav (scratch.file ("sine.wav"), sine);

    const auto run =
        runRenderer (concat (plainFrame, { "--set", "Output=0.375", "sine.wav", "out.wav" }), scratch.path());
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (run.output.contains ("input:  peak -6.02 dBFS, RMS -9.03 dBFS")) << run.output;
    EXPECT_TRUE (run.output.contains ("output: peak -12.02 dBFS, RMS -15.03 dBFS")) << run.output;
}

TEST (Renderer, ListsParametersAndPrograms)
{
    ScratchFolder scratch;
    const auto run =
        runRenderer ({ "--program", "MIX- Master Mix", "--set", "HiBoost=0.25", "--list" }, scratch.path());
    ASSERT_EQ (run.exitCode, 0) << run.output;
    const auto lines = juce::StringArray::fromLines (run.output);
    const auto valueOf = [&] (const juce::String& name)
    {
        for (const auto& line : lines)
            if (line.contains (name))
                return line.trim().fromLastOccurrenceOf (" ", false, false).getDoubleValue();
        return -1.0;
    };
    EXPECT_NEAR (valueOf ("Input gain"), 0.332, 1e-6);
    EXPECT_NEAR (valueOf ("Output level"), 0.668, 1e-6);
    EXPECT_NEAR (valueOf ("Hi boost"), 0.25, 1e-6);
    EXPECT_NEAR (valueOf ("Highpass frequency"), 0.06, 1e-6);
    EXPECT_NEAR (valueOf ("Highpass slope"), 0.5, 1e-6);
    EXPECT_TRUE (run.output.contains (" *  8  MIX- Master Mix")) << run.output;
    EXPECT_TRUE (run.output.contains ("10  VOCALS- Warm")) << run.output;
}

TEST (Renderer, RefusesBadInputWithAMessageAndExitCode)
{
    ScratchFolder scratch;
    writeWav (scratch.file ("in.wav"), testSignal (2, 1000, 48000.0));
    writeWav (scratch.file ("three.wav"), testSignal (3, 1000, 48000.0));
    scratch.file ("junk.wav").replaceWithText ("this is not audio\n");
    scratch.file ("other.xml").replaceWithText ("<PLUGINSTATE Gain=\"1\"/>");
    scratch.path().getChildFile ("sub").createDirectory();
    const auto inputBefore = readAudio (scratch.file ("in.wav"));

    struct Case
    {
        juce::StringArray arguments;
        int exitCode;
        const char* message;
    };
    const Case cases[] = {
        { { "missing.wav", "out.wav" }, 1, "input file not found" },
        { { "junk.wav", "out.wav" }, 1, "not a readable WAV, AIFF or FLAC file" },
        { { "three.wav", "out.wav" }, 1, "three.wav has 3 channels; only mono and stereo" },
        { { "--state", "nostate.xml", "in.wav", "out.wav" }, 1, "state file not found" },
        { { "--state", "other.xml", "in.wav", "out.wav" }, 1, "not a 9V-210 state" },
        { { "--state", "junk.wav", "in.wav", "out.wav" }, 1, "neither a saved state nor its XML document" },
        { { "--set", "Loudness=0.5", "in.wav", "out.wav" }, 2, "unknown parameter 'Loudness'" },
        { { "--set", "Gain=half", "in.wav", "out.wav" }, 2, "malformed value 'half' for Gain" },
        { { "--set", "Gain=0.5dB", "in.wav", "out.wav" }, 2, "malformed value '0.5dB'" },
        { { "--set", "Gain=1.5", "in.wav", "out.wav" }, 2, "outside 0..1" },
        { { "--set", "Gain", "in.wav", "out.wav" }, 2, "--set expects NAME=VALUE" },
        { { "--program", "11", "in.wav", "out.wav" }, 2, "unknown program '11'" },
        { { "--program", "Loud", "in.wav", "out.wav" }, 2, "unknown program 'Loud'" },
        { { "--bits", "20", "in.wav", "out.wav" }, 2, "bad --bits '20'" },
        { { "--bits", "float", "in.wav", "out.wav" }, 2, "bad --bits 'float'" },
        { { "--block", "0", "in.wav", "out.wav" }, 2, "bad --block '0'" },
        { { "--block", "64k", "in.wav", "out.wav" }, 2, "bad --block '64k'" },
        { { "--block", "in.wav", "out.wav" }, 2, "bad --block 'in.wav'" },
        { { "in.wav", "in.wav" }, 2, "is the input file" },
        { { "in.wav", "sub/../in.wav" }, 2, "is the input file" },
        { { "in.wav" }, 2, "missing OUTPUT" },
        { {}, 2, "missing INPUT and OUTPUT" },
        { { "--loud", "in.wav", "out.wav" }, 2, "unknown option '--loud'" },
        { { "--plot-size", "10x10", "--plot", "p.png" }, 2, "bad --plot-size" },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments.joinIntoString (" "));
        const auto run = runRenderer (c.arguments, scratch.path());
        EXPECT_EQ (run.exitCode, c.exitCode) << run.output;
        EXPECT_TRUE (run.output.contains (c.message)) << run.output;
        EXPECT_EQ (juce::StringArray::fromLines (run.output.trim()).size(), 1) << "one line: " << run.output;
        EXPECT_FALSE (scratch.file ("out.wav").exists());
    }

    // The input survived the attempts to write over it.
    const auto inputAfter = readAudio (scratch.file ("in.wav"));
    ASSERT_EQ (inputAfter.samples.getNumSamples(), inputBefore.samples.getNumSamples());
    EXPECT_EQ (worstDeviation (inputBefore.samples, inputAfter.samples, 1.0), 0.0);
}

TEST (Renderer, PlotsAResponseAsPng)
{
    ScratchFolder scratch;
    struct Case
    {
        juce::StringArray arguments;
        int width, height;
    };
    const Case cases[] = {
        { { "--plot", "default.png" }, 900, 540 },
        { { "--program", "9", "--plot-size", "640x400", "--plot", "sized.png" }, 640, 400 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.arguments.joinIntoString (" "));
        const auto run = runRenderer (c.arguments, scratch.path());
        ASSERT_EQ (run.exitCode, 0) << run.output;
        const auto file = scratch.file (c.arguments[c.arguments.size() - 1]);

        juce::MemoryBlock bytes;
        ASSERT_TRUE (file.loadFileAsData (bytes));
        ASSERT_GT (bytes.getSize(), 8u);
        EXPECT_EQ (std::memcmp (bytes.getData(), "\x89PNG\r\n\x1a\n", 8), 0);
        const auto image = juce::ImageFileFormat::loadFrom (file);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), c.width);
        EXPECT_EQ (image.getHeight(), c.height);
    }

    // Rendering and plotting in one run: the plot follows the file's sample rate.
    writeWav (scratch.file ("in.wav"), testSignal (1, 2000, 44100.0), 44100.0);
    const auto run = runRenderer ({ "--plot", "both.png", "in.wav", "out.wav" }, scratch.path());
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (scratch.file ("out.wav").existsAsFile());
    EXPECT_TRUE (juce::ImageFileFormat::loadFrom (scratch.file ("both.png")).isValid());
}
