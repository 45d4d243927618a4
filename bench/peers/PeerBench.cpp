// Times LV2 plug-ins on the same 10 s of stereo 48 kHz pink noise in 256-frame blocks:
// the 9V-210 bundle (in two settings) and other plug-ins given by URI, all in one run.
// Each figure is ns of thread CPU time per stereo frame, net of a pass-through baseline
// (the same loop with the block copied but not processed). The other plug-ins run at
// their default settings.
//
// Usage: t9v210_peer_bench BUNDLE_DIR OUR_URI [PEER_URI ...]
#include <juce_audio_processors/juce_audio_processors.h>

#include <cstdlib>
#include <ctime>
#include <iostream>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 256;
constexpr int seconds = 10;
constexpr int passes = 3; // the best of three, against noise from other work on the machine

double threadSeconds()
{
    timespec t{};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double> (t.tv_sec) + 1e-9 * static_cast<double> (t.tv_nsec);
}

// Pink noise (Paul Kellet's economy filter over white noise) at about −18 dBFS RMS.
juce::AudioBuffer<float> pinkNoise (int frames)
{
    juce::AudioBuffer<float> buffer (2, frames);
    juce::Random random (7);
    for (int c = 0; c < 2; ++c)
    {
        double b0 = 0, b1 = 0, b2 = 0;
        for (int i = 0; i < frames; ++i)
        {
            const double white = random.nextDouble() * 2.0 - 1.0;
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            buffer.setSample (c, i, static_cast<float> (0.1 * (b0 + b1 + b2 + white * 0.1848)));
        }
    }
    return buffer;
}

// ns per frame of one pass over the noise; a null processor measures the loop alone.
double timePass (juce::AudioProcessor* processor, const juce::AudioBuffer<float>& noise)
{
    juce::AudioBuffer<float> block (juce::jmax (2, processor != nullptr ? processor->getTotalNumOutputChannels() : 2),
                                    blockSize);
    juce::MidiBuffer midi;
    const int frames = noise.getNumSamples();
    const double start = threadSeconds();
    for (int position = 0; position + blockSize <= frames; position += blockSize)
    {
        block.clear();
        block.copyFrom (0, 0, noise, 0, position, blockSize);
        block.copyFrom (1, 0, noise, 1, position, blockSize);
        if (processor != nullptr)
            processor->processBlock (block, midi);
        midi.clear();
    }
    return (threadSeconds() - start) * 1e9 / frames;
}

double bestOf (juce::AudioProcessor* processor, const juce::AudioBuffer<float>& noise)
{
    double best = 1e30;
    for (int i = 0; i < passes; ++i)
        best = juce::jmin (best, timePass (processor, noise));
    return best;
}

// Sets one of our parameters by the short name that ends its LV2 identifier.
void setOurs (juce::AudioProcessor& p, const char* shortName, float value)
{
    for (auto* parameter : p.getParameters())
        if (auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*> (parameter))
            if (hosted->getParameterID().endsWith (juce::String (":") + shortName))
                parameter->setValue (value);
}

struct Subject
{
    juce::String label;
    std::unique_ptr<juce::AudioPluginInstance> instance;
};
} // namespace

int main (int argc, char** argv)
{
    if (argc < 3)
    {
        std::cerr << "usage: t9v210_peer_bench BUNDLE_DIR OUR_URI [PEER_URI ...]\n";
        return 2;
    }
    unsetenv ("DISPLAY"); // no plug-in window is ever opened
    juce::ScopedJuceInitialiser_GUI juce;

    juce::LV2PluginFormat lv2;
    // The system folders are lilv's defaults already; only our bundle's folder is added.
    juce::FileSearchPath paths (argv[1]);
    lv2.searchPathsForPlugins (paths, false, false);

    const auto load = [&] (const juce::String& uri) -> std::unique_ptr<juce::AudioPluginInstance>
    {
        juce::OwnedArray<juce::PluginDescription> types;
        lv2.findAllTypesForFile (types, uri);
        if (types.isEmpty())
        {
            std::cerr << "not found: " << uri << "\n";
            return nullptr;
        }
        juce::String error;
        auto instance = lv2.createInstanceFromDescription (*types[0], sampleRate, blockSize, error);
        if (instance == nullptr)
        {
            std::cerr << "cannot load " << uri << ": " << error << "\n";
            return nullptr;
        }
        juce::AudioProcessor::BusesLayout stereo;
        stereo.inputBuses.add (juce::AudioChannelSet::stereo());
        stereo.outputBuses.add (juce::AudioChannelSet::stereo());
        instance->setBusesLayout (stereo); // kept as it is where a plug-in has fixed ports
        instance->prepareToPlay (sampleRate, blockSize);
        return instance;
    };

    std::vector<Subject> subjects;
    for (const char* setting : { "EQ+filters code 6", "everything on, Analog" })
        if (auto ours = load (argv[2]))
        {
            const bool analog = juce::String (setting).contains ("Analog");
            setOurs (*ours, "Analog", analog ? 1.0f : 0.0f);
            setOurs (*ours, "Eq", 1.0f);
            setOurs (*ours, "HiBoost", 0.5f);
            setOurs (*ours, "LowBoost", 0.5f);
            setOurs (*ours, "LP", 0.8f);
            setOurs (*ours, "LPSlope", 1.0f);
            setOurs (*ours, "LPOn", 1.0f);
            setOurs (*ours, "HP", 0.2f);
            setOurs (*ours, "HPSlope", 1.0f);
            setOurs (*ours, "HPOn", 1.0f);
            subjects.push_back ({ juce::String ("9V-210 (") + setting + ")", std::move (ours) });
        }
    for (int i = 3; i < argc; ++i)
        if (auto peer = load (argv[i]))
            subjects.push_back ({ peer->getName() + " <" + juce::String (argv[i]) + ">", std::move (peer) });

    const auto noise = pinkNoise (static_cast<int> (sampleRate) * seconds);
    // One untimed pass each: the LV2 host hands parameter changes over while processing.
    for (auto& s : subjects)
        timePass (s.instance.get(), noise);

    const double baseline = bestOf (nullptr, noise);
    std::cout << "pass-through baseline: " << juce::String (baseline, 2) << " ns/frame (subtracted below)\n";

    std::vector<double> net;
    for (auto& s : subjects)
        net.push_back (juce::jmax (0.0, bestOf (s.instance.get(), noise) - baseline));

    for (size_t i = 0; i < subjects.size(); ++i)
    {
        std::cout << juce::String (net[i], 1).paddedLeft (' ', 9) << " ns/frame  " << subjects[i].label;
        if (!subjects[i].label.startsWith ("9V-210") && net[i] > 0.0 && !net.empty())
            for (size_t o = 0; o < subjects.size() && subjects[o].label.startsWith ("9V-210"); ++o)
                std::cout << (o == 0 ? "   ours/peer: " : ", ") << juce::String (net[o] / net[i], 2) << "x ("
                          << subjects[o]
                                 .label.fromFirstOccurrenceOf ("(", false, false)
                                 .upToFirstOccurrenceOf (")", false, false)
                          << ")";
        std::cout << "\n";
    }
    return 0;
}
