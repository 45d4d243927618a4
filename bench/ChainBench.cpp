// The whole processor as a host drives it: stereo, 48 kHz, 512-sample blocks.
#include "processor/T9v210AudioProcessor.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

using namespace Tessaro9V;

namespace
{
constexpr double kRate = 48000.0;
constexpr int kBlock = 512;
constexpr int kChannels = 2;

enum class Setup
{
    allOff,       // EQ, filters and Analog off: the gain frame only
    eqAndFilters, // EQ on, both filters on at slope code 6, Analog off
    everything    // as above with Analog on
};

std::unique_ptr<T9v210AudioProcessor> makeProcessor (Setup setup)
{
    auto p = std::make_unique<T9v210AudioProcessor>();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::stereo());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    p->setBusesLayout (layout);
    p->setRateAndBufferSizeDetails (kRate, kBlock);
    p->prepareToPlay (kRate, kBlock);

    const bool filtersOn = setup != Setup::allOff;
    p->setParameter (kEqOn, filtersOn ? 1.0f : 0.0f);
    p->setParameter (kHiBoost, 0.6f);
    p->setParameter (kLowBoost, 0.6f);
    p->setParameter (kLowFilterOn, filtersOn ? 1.0f : 0.0f);
    p->setParameter (kLowpassFrequency, 0.8f);
    p->setParameter (kLowpassSlope, 1.0f); // code 6
    p->setParameter (kHighFilterOn, filtersOn ? 1.0f : 0.0f);
    p->setParameter (kHighpassFrequency, 0.2f);
    p->setParameter (kHighpassSlope, 1.0f); // code 6
    p->setParameter (kAnalog, setup == Setup::everything ? 1.0f : 0.0f);
    return p;
}

// One second of a programme-like signal: a few partials and some noise, peaking near -6 dB.
std::vector<float> programme (float gain)
{
    std::vector<float> s (static_cast<size_t> (kRate));
    std::minstd_rand rng (1);
    std::uniform_real_distribution<float> noise (-1.0f, 1.0f);
    for (size_t i = 0; i < s.size(); ++i)
    {
        const double t = static_cast<double> (i) / kRate;
        const double tone = 0.2 * std::sin (2.0 * juce::MathConstants<double>::pi * 110.0 * t) +
                            0.1 * std::sin (2.0 * juce::MathConstants<double>::pi * 1230.0 * t) +
                            0.05 * std::sin (2.0 * juce::MathConstants<double>::pi * 7100.0 * t);
        s[i] = gain * (static_cast<float> (tone) + 0.1f * noise (rng));
    }
    return s;
}

// Copies the next block of a looped source into every channel.
void fill (juce::AudioBuffer<float>& buffer, const std::vector<float>& source, size_t& position)
{
    if (position + kBlock > source.size())
        position = 0;
    for (int c = 0; c < buffer.getNumChannels(); ++c)
        buffer.copyFrom (c, 0, source.data() + position, kBlock);
    position += kBlock;
}

void setCounters (benchmark::State& state, double framesPerIteration)
{
    const double frames = static_cast<double> (state.iterations()) * framesPerIteration;
    // CPU time per stereo frame (shown in seconds with an SI prefix: "n" is nanoseconds).
    state.counters["frame_time"] =
        benchmark::Counter (frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // Real-time factor: seconds of audio processed per second of CPU time (shown as "/s").
    state.counters["realtime_x"] = benchmark::Counter (frames / kRate, benchmark::Counter::kIsRate);
}

void BM_Chain (benchmark::State& state)
{
    auto processor = makeProcessor (static_cast<Setup> (state.range (0)));
    const auto source = programme (1.0f);
    juce::AudioBuffer<float> buffer (kChannels, kBlock);
    juce::MidiBuffer midi;
    size_t position = 0;

    for (auto _ : state)
    {
        fill (buffer, source, position);
        processor->processBlock (buffer, midi);
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    setCounters (state, kBlock);
}
BENCHMARK (BM_Chain)
    ->ArgName ("setup")
    ->Arg (static_cast<int> (Setup::allOff))
    ->Arg (static_cast<int> (Setup::eqAndFilters))
    ->Arg (static_cast<int> (Setup::everything));

// A loud tenth of a second, then six seconds of either exact silence or a faint noise
// floor, EQ and filters on, Analog off. Decaying filter states must cost no more in
// silence than with the noise that keeps them away from subnormal numbers.
void BM_QuietAfterLoud (benchmark::State& state)
{
    const bool withNoise = state.range (0) != 0;
    auto processor = makeProcessor (Setup::eqAndFilters);
    const auto loud = programme (1.5f);
    const auto quiet = withNoise ? programme (1.0e-5f) : std::vector<float> (static_cast<size_t> (kRate), 0.0f);
    juce::AudioBuffer<float> buffer (kChannels, kBlock);
    juce::MidiBuffer midi;
    constexpr int loudBlocks = 10;
    constexpr int quietBlocks = 600;

    for (auto _ : state)
    {
        size_t loudPosition = 0, quietPosition = 0;
        for (int b = 0; b < loudBlocks; ++b)
        {
            fill (buffer, loud, loudPosition);
            processor->processBlock (buffer, midi);
        }
        for (int b = 0; b < quietBlocks; ++b)
        {
            fill (buffer, quiet, quietPosition);
            processor->processBlock (buffer, midi);
        }
        benchmark::DoNotOptimize (buffer.getReadPointer (0));
    }
    setCounters (state, (loudBlocks + quietBlocks) * kBlock);
}
BENCHMARK (BM_QuietAfterLoud)->ArgName ("noise")->Arg (0)->Arg (1)->Unit (benchmark::kMillisecond);
} // namespace
