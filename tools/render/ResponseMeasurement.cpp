#include "ResponseMeasurement.h"

#include <cmath>

namespace t9render
{
std::vector<double> logFrequencies (double low, double high, int count)
{
    std::vector<double> result;
    result.reserve (static_cast<size_t> (std::max (count, 0)));
    for (int i = 0; i < count; ++i)
    {
        const double t = count > 1 ? static_cast<double> (i) / (count - 1) : 0.0;
        result.push_back (i == count - 1 && count > 1 ? high : low * std::pow (high / low, t));
    }
    return result;
}

namespace
{
std::vector<float> impulseResponse (const std::array<float, Tessaro9V::kNumParameters>& values, double sampleRate,
                                    int blockSize)
{
    Processor processor;
    setParameterValues (processor, values);
    processor.setParameter (Tessaro9V::kAnalog, 0.0f);
    prepareProcessor (processor, 1, sampleRate, blockSize);

    // Long enough for the lowest corners (20 Hz, steepest slope) to ring out.
    const auto length = static_cast<int> (std::ceil (sampleRate * 1.5));
    std::vector<float> response (static_cast<size_t> (length), 0.0f);
    response[0] = 1.0f;

    juce::MidiBuffer midi;
    for (int start = 0; start < length; start += blockSize)
    {
        float* channel = response.data() + start;
        juce::AudioBuffer<float> block (&channel, 1, std::min (blockSize, length - start));
        processor.processBlock (block, midi);
    }
    return response;
}
} // namespace

std::vector<ResponsePoint> measureResponse (const std::array<float, Tessaro9V::kNumParameters>& values,
                                            double sampleRate, int blockSize, const std::vector<double>& frequencies)
{
    const auto h = impulseResponse (values, sampleRate, blockSize);

    std::vector<ResponsePoint> points;
    points.reserve (frequencies.size());
    for (const double f : frequencies)
    {
        if (f <= 0.0 || f > 0.49 * sampleRate)
            continue;
        // H(f) = sum h[n] e^(-j w n), the phasor advanced by one rotation per sample
        // (plain doubles: std::complex's multiply guards against NaNs and is far slower).
        const double w = 2.0 * juce::MathConstants<double>::pi * f / sampleRate;
        const double stepRe = std::cos (w), stepIm = -std::sin (w);
        double re = 1.0, im = 0.0, sumRe = 0.0, sumIm = 0.0;
        for (size_t n = 0; n < h.size(); ++n)
        {
            const auto x = static_cast<double> (h[n]);
            sumRe += x * re;
            sumIm += x * im;
            const double nextRe = re * stepRe - im * stepIm;
            im = re * stepIm + im * stepRe;
            re = nextRe;
            if ((n & 1023) == 1023)
            {
                const double norm = 1.0 / std::sqrt (re * re + im * im); // stay on the unit circle
                re *= norm;
                im *= norm;
            }
        }
        const double magnitude = std::sqrt (sumRe * sumRe + sumIm * sumIm);
        points.push_back ({ f, magnitude > 0.0 ? 20.0 * std::log10 (magnitude) : -300.0 });
    }
    return points;
}
} // namespace t9render
