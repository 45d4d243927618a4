#include "ResponsePlot.h"

#include <cmath>

namespace t9render
{
namespace
{
constexpr double lowHz = 20.0;
constexpr double highHz = 20000.0;
constexpr double floorDb = -72.0; // deeper stop bands are drawn at the bottom edge

struct DbRange
{
    double bottom, top, step;
};

DbRange rangeFor (const std::vector<ResponsePoint>& points)
{
    double lo = 0.0, hi = 0.0;
    for (const auto& p : points)
    {
        lo = std::min (lo, p.gainDb);
        hi = std::max (hi, p.gainDb);
    }
    double top = std::max (12.0, std::ceil ((hi + 1.0) / 6.0) * 6.0);
    double bottom = std::min (-12.0, std::floor ((lo - 1.0) / 6.0) * 6.0);
    bottom = std::max (bottom, floorDb);
    top = std::min (top, 48.0);
    const double step = top - bottom > 48.0 ? 12.0 : 6.0;
    return { bottom, top, step };
}

juce::String frequencyLabel (double hz)
{
    return hz >= 1000.0 ? juce::String (hz / 1000.0, 0) + "k" : juce::String (static_cast<int> (hz));
}
} // namespace

juce::Image drawResponsePlot (const std::vector<ResponsePoint>& points, int width, int height,
                              const juce::String& title)
{
    juce::Image image (juce::Image::ARGB, width, height, true, juce::SoftwareImageType());
    juce::Graphics g (image);
    g.fillAll (juce::Colour (0xfffcfcfa));

    const auto area = juce::Rectangle<int> (0, 0, width, height)
                          .withTrimmedLeft (62)
                          .withTrimmedRight (18)
                          .withTrimmedTop (38)
                          .withTrimmedBottom (46)
                          .toFloat();
    const auto range = rangeFor (points);
    const auto xFor = [&] (double hz)
    { return area.getX() + static_cast<float> (std::log (hz / lowHz) / std::log (highHz / lowHz)) * area.getWidth(); };
    const auto yFor = [&] (double db)
    {
        const double t = (juce::jlimit (range.bottom, range.top, db) - range.bottom) / (range.top - range.bottom);
        return area.getBottom() - static_cast<float> (t) * area.getHeight();
    };

    const juce::Font labelFont (13.0f);
    g.setFont (labelFont);

    // Frequency grid: every 1-2-...-9 step of each decade, labels on 2-5-10 steps.
    for (double decade = 10.0; decade <= highHz; decade *= 10.0)
        for (int m = 1; m <= 9; ++m)
        {
            const double hz = decade * m;
            if (hz < lowHz || hz > highHz)
                continue;
            const float x = xFor (hz);
            const bool major = m == 1;
            g.setColour (major ? juce::Colour (0xffb8b8b8) : juce::Colour (0xffe2e2e2));
            g.drawVerticalLine (juce::roundToInt (x), area.getY(), area.getBottom());
            if (m == 1 || m == 2 || m == 5)
            {
                g.setColour (juce::Colour (0xff303030));
                g.drawText (frequencyLabel (hz),
                            juce::Rectangle<float> (x - 24.0f, area.getBottom() + 4.0f, 48.0f, 16.0f),
                            juce::Justification::centredTop);
            }
        }

    // dB grid, with 0 dB emphasised.
    for (double db = range.bottom; db <= range.top + 1e-9; db += range.step)
    {
        const float y = yFor (db);
        const bool zero = std::abs (db) < 1e-9;
        g.setColour (zero ? juce::Colour (0xff808080) : juce::Colour (0xffd0d0d0));
        g.drawHorizontalLine (juce::roundToInt (y), area.getX(), area.getRight());
        g.setColour (juce::Colour (0xff303030));
        g.drawText ((db > 0 ? "+" : "") + juce::String (static_cast<int> (db)) + " dB",
                    juce::Rectangle<float> (0.0f, y - 8.0f, area.getX() - 6.0f, 16.0f),
                    juce::Justification::centredRight);
    }

    g.setColour (juce::Colour (0xff606060));
    g.drawRect (area, 1.0f);

    g.setColour (juce::Colour (0xff303030));
    g.drawText ("Frequency (Hz)",
                juce::Rectangle<float> (area.getX(), area.getBottom() + 24.0f, area.getWidth(), 16.0f),
                juce::Justification::centred);
    g.setFont (juce::Font (15.0f, juce::Font::bold));
    g.drawText (title, juce::Rectangle<float> (area.getX(), 8.0f, area.getWidth(), 22.0f),
                juce::Justification::centredLeft);

    // The curve, clipped to the plot area.
    juce::Path curve;
    bool started = false; // (Path::isEmpty stays true after a lone move-to)
    for (const auto& p : points)
    {
        if (p.frequency < lowHz || p.frequency > highHz)
            continue;
        const juce::Point<float> at (xFor (p.frequency), yFor (p.gainDb));
        if (started)
            curve.lineTo (at);
        else
            curve.startNewSubPath (at);
        started = true;
    }
    g.saveState();
    g.reduceClipRegion (area.toNearestInt());
    g.setColour (juce::Colour (0xff1f5fbf));
    g.strokePath (curve, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.restoreState();

    return image;
}

juce::String writePng (const juce::Image& image, const juce::File& file)
{
    juce::TemporaryFile temporary (file);
    {
        auto stream = temporary.getFile().createOutputStream();
        juce::PNGImageFormat png;
        if (stream == nullptr || !png.writeImageToStream (image, *stream))
            return "cannot write plot file " + file.getFullPathName();
    }
    if (!temporary.overwriteTargetFileWithTemporary())
        return "cannot write plot file " + file.getFullPathName();
    return {};
}
} // namespace t9render
