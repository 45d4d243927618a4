// processBlock of the whole processor, stereo, over the rates and block sizes hosts use,
// for three settings: everything off, EQ with both filters at their steepest slope, and
// everything on with Analog. Each run reports ns per stereo frame and the real-time
// factor (seconds of audio per second of CPU, both from this thread's CPU time). Each block is refilled from a fixed
// noise buffer before processing, as a host would hand over fresh audio; the copy is
// part of the time (a few per cent of the cheapest case).
#include "processor/T9v210AudioProcessor.h"

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

namespace
{
using Tessaro9V::T9v210AudioProcessor;

enum class Setting
{
    allOff,
    eqAndFilters,
    allOnAnalog
};

void configure (T9v210AudioProcessor& p, Setting setting)
{
    using namespace Tessaro9V;
    const bool eq = setting != Setting::allOff;
    p.setParameter (kAnalog, setting == Setting::allOnAnalog ? 1.0f : 0.0f);
    p.setParameter (kEqOn, eq ? 1.0f : 0.0f);
    p.setParameter (kLowFilterOn, eq ? 1.0f : 0.0f);
    p.setParameter (kHighFilterOn, eq ? 1.0f : 0.0f);
    if (eq)
    {
        p.setParameter (kHiBoost, 0.5f);
        p.setParameter (kLowBoost, 0.5f);
        p.setParameter (kLowpassFrequency, 0.8f);
        p.setParameter (kLowpassSlope, 1.0f); // step 4: code 6
        p.setParameter (kHighpassFrequency, 0.2f);
        p.setParameter (kHighpassSlope, 1.0f);
    }
}

// CPU time of this thread: the machine may be shared, so wall time would overstate.
double threadSeconds()
{
    timespec t{};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double> (t.tv_sec) + 1e-9 * static_cast<double> (t.tv_nsec);
}

void processBlockBench (benchmark::State& state, Setting setting, double rate, int blockSize)
{
    T9v210AudioProcessor processor;
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::stereo());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    if (!processor.setBusesLayout (layout))
    {
        state.SkipWithError ("stereo layout refused");
        return;
    }
    configure (processor, setting);
    processor.setRateAndBufferSizeDetails (rate, blockSize);
    processor.prepareToPlay (rate, blockSize);

    // White noise peaking at −12 dBFS.
    juce::AudioBuffer<float> source (2, blockSize);
    juce::Random random (42);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < blockSize; ++i)
            source.setSample (c, i, 0.25f * (random.nextFloat() * 2.0f - 1.0f));

    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    const double started = threadSeconds();
    for (auto _ : state)
    {
        buffer.copyFrom (0, 0, source, 0, 0, blockSize);
        buffer.copyFrom (1, 0, source, 1, 0, blockSize);
        processor.processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (1)[blockSize - 1]);
        benchmark::ClobberMemory();
    }

    const double seconds = threadSeconds() - started;
    const auto frames = static_cast<double> (state.iterations()) * blockSize;
    state.counters["ns_per_frame"] = seconds * 1e9 / frames;
    state.counters["realtime_x"] = frames / rate / seconds; // seconds of audio per second of CPU
}

[[maybe_unused]] const bool registered = []
{
    const std::pair<Setting, const char*> settings[] = { { Setting::allOff, "AllOff" },
                                                         { Setting::eqAndFilters, "EqFiltersCode6" },
                                                         { Setting::allOnAnalog, "AllOnAnalog" } };
    for (const auto& [setting, name] : settings)
        for (const double rate : { 44100.0, 48000.0, 96000.0 })
            for (const int block : { 64, 512 })
            {
                const auto label = std::string ("Processor/") + name + "/" + std::to_string (static_cast<int> (rate)) +
                                   "/" + std::to_string (block);
                benchmark::RegisterBenchmark (label.c_str(), processBlockBench, setting, rate, block);
            }
    return true;
}();
} // namespace
