// The renderer's parts in-process: the response measurement and the strict number reader.
#include "RenderOptions.h"
#include "ResponsePlot.h"

#include <gtest/gtest.h>

using namespace t9render;
using namespace Tessaro9V;

namespace
{
// Steady-state gain of a sine through a fresh mono processor, the independent reference:
// after a second of settling, the output is fitted with a sine and a cosine at that
// frequency (least squares), whatever the window holds of whole cycles.
double sineGainDb (const std::array<float, kNumParameters>& values, double frequency, double rate)
{
    Processor processor;
    setParameterValues (processor, values);
    processor.setParameter (kAnalog, 0.0f);
    prepareProcessor (processor, 1, rate, 512);

    constexpr double amplitude = 0.1;
    const double w = 2.0 * juce::MathConstants<double>::pi * frequency / rate;
    const int total = static_cast<int> (rate * 1.5);
    const int settle = static_cast<int> (rate);
    double ss = 0.0, cc = 0.0, sc = 0.0, ys = 0.0, yc = 0.0;
    juce::MidiBuffer midi;
    juce::AudioBuffer<float> block (1, 512);
    for (int start = 0; start < total; start += 512)
    {
        for (int i = 0; i < 512; ++i)
            block.setSample (0, i, static_cast<float> (amplitude * std::sin (w * (start + i))));
        processor.processBlock (block, midi);
        if (start < settle)
            continue;
        for (int i = 0; i < 512; ++i)
        {
            const double s = std::sin (w * (start + i)), c = std::cos (w * (start + i));
            const auto y = static_cast<double> (block.getSample (0, i));
            ss += s * s;
            cc += c * c;
            sc += s * c;
            ys += y * s;
            yc += y * c;
        }
    }
    const double det = ss * cc - sc * sc;
    const double a = (ys * cc - yc * sc) / det;
    const double b = (yc * ss - ys * sc) / det;
    return 20.0 * std::log10 (std::sqrt (a * a + b * b) / amplitude);
}
} // namespace

TEST (ResponseMeasurement, AgreesWithSteadySines)
{
    // Both bands boosted, both filters in, a level change; Analog on (the measurement
    // must switch it off itself).
    Processor reference;
    reference.setParameter (kOutputLevel, 0.375f);
    reference.setParameter (kHiBoost, 1.0f);
    reference.setParameter (kHiFrequency, 1.0f);
    reference.setParameter (kLowBoost, 0.6f);
    reference.setParameter (kLowpassFrequency, 0.85f);
    reference.setParameter (kLowpassSlope, 0.5f);
    reference.setParameter (kLowFilterOn, 1.0f);
    reference.setParameter (kHighpassFrequency, 0.2f);
    reference.setParameter (kHighpassSlope, 0.25f);
    reference.setParameter (kHighFilterOn, 1.0f);
    const auto values = parameterValues (reference);
    ASSERT_EQ (values[kAnalog], 1.0f);

    for (const double rate : { 44100.0, 96000.0 })
    {
        const std::vector<double> frequencies{ 30.0, 60.0, 150.0, 1000.0, 5000.0, 12000.0, 19000.0 };
        const auto measured = measureResponse (values, rate, 256, frequencies);
        ASSERT_EQ (measured.size(), frequencies.size());
        for (size_t i = 0; i < frequencies.size(); ++i)
        {
            SCOPED_TRACE (juce::String (rate) + " Hz rate, " + juce::String (frequencies[i]) + " Hz");
            EXPECT_EQ (measured[i].frequency, frequencies[i]);
            EXPECT_NEAR (measured[i].gainDb, sineGainDb (values, frequencies[i], rate), 0.05);
        }
    }
}

TEST (ResponseMeasurement, SkipsFrequenciesAboveNyquistAndSpacesLogarithmically)
{
    const auto frequencies = logFrequencies (20.0, 20000.0, 4);
    ASSERT_EQ (frequencies.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR (frequencies[i], 20.0 * std::pow (10.0, static_cast<double> (i)), 1e-9);

    Processor processor;
    const auto measured = measureResponse (parameterValues (processor), 22050.0, 512, frequencies);
    ASSERT_EQ (measured.size(), 3u); // 20 kHz is above 0.49 × 22.05 kHz
    for (const auto& p : measured)
        EXPECT_NEAR (p.gainDb, 0.0, 0.01) << p.frequency << " Hz"; // new instance: EQ flat, filters out
}

TEST (RenderOptions, ReadsNumbersStrictly)
{
    const struct
    {
        const char* text;
        std::optional<double> value;
    } numbers[] = { { "0.5", 0.5 },          { " 1 ", 1.0 },          { "+0.25", 0.25 },        { "1e-3", 0.001 },
                    { "-0", 0.0 },           { "", std::nullopt },    { "0.5x", std::nullopt }, { "0,5", std::nullopt },
                    { "nan", std::nullopt }, { "inf", std::nullopt }, { "--1", std::nullopt } };
    for (const auto& n : numbers)
        EXPECT_EQ (parseNumber (n.text), n.value) << '"' << n.text << '"';

    EXPECT_EQ (parseInteger ("512"), 512);
    EXPECT_EQ (parseInteger ("1.5"), std::nullopt);
    EXPECT_EQ (parseInteger ("99999999999"), std::nullopt);
}

namespace
{
// Row of the curve's colour (strongly blue) in a column of the plot, or -1.
int curveRow (const juce::Image& image, int x)
{
    for (int y = 0; y < image.getHeight(); ++y)
    {
        const auto c = image.getPixelAt (x, y);
        if (c.getBlue() > 150 && c.getRed() < 100 && c.getGreen() < 140)
            return y;
    }
    return -1;
}
} // namespace

TEST (ResponsePlot, DrawsTheCurveAtItsLevel)
{
    const auto flatAt = [] (double db)
    {
        std::vector<ResponsePoint> points;
        for (const double f : logFrequencies (20.0, 20000.0, 300))
            points.push_back ({ f, db });
        return drawResponsePlot (points, 600, 400, "flat");
    };
    const auto up = flatAt (6.0), level = flatAt (0.0), down = flatAt (-6.0);
    for (const int x : { 100, 300, 500 })
    {
        SCOPED_TRACE (x);
        const int yUp = curveRow (up, x), yLevel = curveRow (level, x), yDown = curveRow (down, x);
        ASSERT_GE (yUp, 0);
        ASSERT_GE (yLevel, 0);
        ASSERT_GE (yDown, 0);
        EXPECT_LT (yUp, yLevel);
        EXPECT_LT (yLevel, yDown);
        EXPECT_NEAR (yLevel - yUp, yDown - yLevel, 2); // a linear dB axis
    }
}
