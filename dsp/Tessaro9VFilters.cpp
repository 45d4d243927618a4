#include "dsp/Tessaro9VFilters.h"

#include "dsp/CoefficientDesigns.h"
#include "dsp/SoftSaturation.h"

#include <algorithm>
#include <cmath>

namespace Tessaro9V
{
namespace
{
constexpr double twoPi = 2.0 * 3.141592653589793;

// 10^(6.5/20) - 1: boost 1 lifts the peak by 6.5 dB.
constexpr double hiBoostPerUnit = 1.1134890398366468;
// The hi band's gain factor stays within +-80 dB, whatever the boost value.
constexpr float hiGainMin = 1.0e-4f, hiGainMax = 1.0e4f;
// 10^(28/20): the make-up gain behind the passive low-boost network.
constexpr double loMakeUp = 25.11886431509581;

// The signal that the analog high band adds, softly and asymmetrically saturated.
inline float saturateAdded (float d) noexcept { return 0.9f * d + 0.1f * (softSaturation (d + 0.01f) - 0.01f); }
} // namespace

Tessaro9VFilters::Tessaro9VFilters() = default;
Tessaro9VFilters::~Tessaro9VFilters() { channels.clear(); }

void Tessaro9VFilters::prepareToPlay (double newSampleRate, int newNumChannels)
{
    sampleRate = newSampleRate;
    numChannels = newNumChannels;
    channels.clear();
    for (int c = 0; c < newNumChannels; ++c)
        channels.add (new Tessaro9VFiltersChannel());
    scratch.setSize (1, scratchSize, false, false, true);
}

void Tessaro9VFilters::releaseResources() { channels.clear(); }

double Tessaro9VFilters::limitCorner (double frequency) const noexcept
{
    return std::min (std::max (frequency, 1.0), 0.49 * sampleRate);
}

//==============================================================================
void Tessaro9VFilters::processSamples (float* data, int numSamples, int channel)
{
    if (data == nullptr || numSamples <= 0 || !juce::isPositiveAndBelow (channel, channels.size()))
        return;

    auto& state = *channels.getUnchecked (channel);

    if (eqOn.load (std::memory_order_relaxed))
    {
        processHighBand (state, data, numSamples);
        processLowBand (state, data, numSamples);
    }
    if (lpOn.load (std::memory_order_relaxed))
        processLowPass (state, lpSlope.load (std::memory_order_relaxed), data, numSamples);
    if (hpOn.load (std::memory_order_relaxed))
        processHighPass (state, data, numSamples);

    state.clearNonFiniteState();
}

void Tessaro9VFilters::processHighBand (Tessaro9VFiltersChannel& state, float* data, int numSamples) noexcept
{
    if (!analog.load (std::memory_order_relaxed))
    {
        state.hiBand.process (data, numSamples);
        return;
    }
    // Only what the band adds (its output minus its input) is saturated.
    state.hiBand.processCombined (data, numSamples, [] (float x, float y) { return x + saturateAdded (y - x); });
}

void Tessaro9VFilters::processLowBand (Tessaro9VFiltersChannel& state, float* data, int numSamples) noexcept
{
    // x + loGain * LP(x); one gain for the whole block.
    const auto gain = static_cast<float> (loGain.load (std::memory_order_relaxed));
    float* copy = scratch.getWritePointer (0);
    for (int start = 0; start < numSamples; start += scratchSize)
    {
        const int n = std::min (scratchSize, numSamples - start);
        juce::FloatVectorOperations::copy (copy, data + start, n);
        state.loBand.process (copy, n);
        juce::FloatVectorOperations::multiply (copy, gain, n);
        juce::FloatVectorOperations::add (data + start, copy, n);
    }
}

void Tessaro9VFilters::processLowPass (Tessaro9VFiltersChannel& state, int slope, float* data, int numSamples) noexcept
{
    if (slope == 6)
        for (auto& section : state.lpBiquads)
            section.process (data, numSamples);
    else
        for (auto& onePole : state.lpOnePoles)
            onePole.process (data, numSamples);
}

void Tessaro9VFilters::processHighPass (Tessaro9VFiltersChannel& state, float* data, int numSamples) noexcept
{
    for (auto& section : state.hpBiquads)
        section.process (data, numSamples);
    state.hpFirstOrder.processComplement (data, numSamples);
}

//==============================================================================
void Tessaro9VFilters::setHi (int frequencyIndex, double boost)
{
    if (std::isnan (boost))
        return;

    const double frequency = frequencyIndex == 2 ? 16000.0 : frequencyIndex == 1 ? 10000.0 : 6000.0;
    const float gain = std::clamp (static_cast<float> (1.0 + hiBoostPerUnit * boost), hiGainMin, hiGainMax);
    const auto design = designs::peak (sampleRate, limitCorner (frequency), 0.44, designs::amplitudeFromGain (gain));

    for (auto* state : channels)
        state->hiBand.install (design);
}

void Tessaro9VFilters::setLo (int frequencyIndex, double boost)
{
    if (std::isnan (boost))
        return;

    const double capacitance = frequencyIndex == 2 ? 0.22e-6 : frequencyIndex == 1 ? 0.47e-6 : 0.69e-6;
    const double pot = 10000.0 * boost;
    const double loaded = 1.0 / (1.0 / pot + 5.0e-5); // the pot in parallel with 20 kOhm

    if (channels.isEmpty())
        return;

    double g = 0.0;
    if (boost > 0.025)
    {
        // 1 / (2 pi C (R || 5 kOhm)), below 0.49 fs.
        const double corner =
            std::min (1.0 / (twoPi * capacitance * pot) + 1.0 / (twoPi * capacitance * 5000.0), 0.49 * sampleRate);
        const double a = 1.0 - std::exp (-twoPi * corner / sampleRate);
        for (auto* state : channels)
            state->loBand.set (a, 1.0 - a);
        g = loaded * loMakeUp / (11000.0 + loaded);
    }
    else
    {
        // A small boost is a flat gain; none at all adds nothing.
        for (auto* state : channels)
            state->loBand.setPassThrough();
        if (pot > 0.0)
            g = loaded * loMakeUp / (11000.0 + loaded);
    }
    loGain.store (0.5 * g, std::memory_order_relaxed);
}

void Tessaro9VFilters::setLP (double frequency, int slope)
{
    if (std::isnan (frequency))
        frequency = lpCorner.load (std::memory_order_relaxed);
    lpCorner.store (frequency, std::memory_order_relaxed);
    const double corner = limitCorner (frequency);

    if (slope == 6)
    {
        const BiquadDesign sections[] = { designs::lowPass (sampleRate, corner, designs::invQ0_5176),
                                          designs::lowPass (sampleRate, corner, designs::invQ0_7071),
                                          designs::lowPass (sampleRate, corner, designs::invQ1_9319) };
        for (auto* state : channels)
            for (size_t i = 0; i < 3; ++i)
                state->lpBiquads[i].install (sections[i]);
    }
    else
    {
        for (auto* state : channels)
            for (int i = 0; i < 4; ++i)
            {
                auto& onePole = state->lpOnePoles[static_cast<size_t> (i)];
                if (slope >= i + 1)
                    onePole.setLowPass (corner, sampleRate);
                else
                    onePole.setPassThrough();
            }
    }
    // Published after the sections, so the audio thread switches to configured ones.
    lpSlope.store (slope, std::memory_order_relaxed);
}

void Tessaro9VFilters::setHP (double frequency, int slope)
{
    if (std::isnan (frequency))
        frequency = hpCorner.load (std::memory_order_relaxed);
    hpCorner.store (frequency, std::memory_order_relaxed);
    hpSlope.store (slope, std::memory_order_relaxed);
    const double corner = limitCorner (frequency);

    // Per code: the 1/Q of each biquad (0: deactivated) and whether the first-order part runs.
    struct Layout
    {
        double invQ[3];
        bool firstOrder;
    };
    Layout layout{};
    switch (slope)
    {
        case 1:
            layout = { { 0.0, 0.0, 0.0 }, true };
            break;
        case 2:
            layout = { { designs::invQ0_7071, 0.0, 0.0 }, false };
            break;
        case 3:
            layout = { { designs::invQ1, 0.0, 0.0 }, true };
            break;
        case 4:
            layout = { { designs::invQ0_5412, designs::invQ1_3065, 0.0 }, false };
            break;
        case 6:
            layout = { { designs::invQ0_5176, designs::invQ0_7071, designs::invQ1_9319 }, false };
            break;
        default:
            return; // unknown codes leave the sections as they are
    }

    BiquadDesign sections[3]{};
    for (size_t i = 0; i < 3; ++i)
        if (layout.invQ[i] > 0.0)
            sections[i] = designs::highPass (sampleRate, corner, layout.invQ[i]);

    for (auto* state : channels)
    {
        for (size_t i = 0; i < 3; ++i)
        {
            if (layout.invQ[i] > 0.0)
                state->hpBiquads[i].install (sections[i]);
            else
                state->hpBiquads[i].deactivate();
        }
        if (layout.firstOrder)
            state->hpFirstOrder.setLowPass (corner, sampleRate);
        else
            state->hpFirstOrder.setSilent();
    }
}
} // namespace Tessaro9V
