// The two 300 x 1050 front plates. Positions are given in pixel indices of the plate (as
// the controls' bounds are planned) and converted to drawing coordinates with px().
#include "Artwork.h"

#include <cmath>

using namespace ArtKit;

namespace
{
constexpr int plateWidth = 300, plateHeight = 1050;
const juce::Colour legendWhite = rgb (250, 250, 246);
const juce::Colour aluminium = rgb (133, 121, 102);

// Warm grey aluminium with fine vertical brushing and a chamfered edge.
juce::Image brushedPlate (std::uint32_t seed)
{
    return texture (juce::Image::RGB, plateWidth, plateHeight,
                    [seed] (int x, int y)
                    {
                        const auto fy = static_cast<float> (y);
                        auto level = 4.5f * valueNoise (seed, x, fy,
                                                        40.0f + 30.0f * (0.5f + 0.5f * hashNoise (seed + 9, x, 0))) +
                                     2.5f * valueNoise (seed + 1, x / 3, fy, 120.0f) +
                                     1.8f * hashNoise (seed + 2, x, 0) + 1.2f * hashNoise (seed + 3, x, y);
                        // A faint broad sheen across the plate.
                        level += 3.0f * std::sin (static_cast<float> (x) * 0.021f + 0.7f) * std::cos (fy * 0.0023f);

                        // Chamfer: light on the top and left faces, shade on the bottom and right.
                        const auto left = static_cast<float> (x), top = fy;
                        const auto right = static_cast<float> (plateWidth - 1 - x),
                                   bottom = static_cast<float> (plateHeight - 1 - y);
                        const auto edge = juce::jmin (juce::jmin (left, right), juce::jmin (top, bottom));
                        if (edge < 5.0f)
                        {
                            const auto lit = juce::jmin (left, top) <= juce::jmin (right, bottom);
                            level += (lit ? 34.0f : -38.0f) * (1.0f - edge / 5.0f);
                            if (edge < 1.0f)
                                level -= 45.0f;
                        }
                        return shade (aluminium, level);
                    });
}

// Composites a disc drawn per pixel; fn (x, y, t) gives the colour at relative radius t.
template <typename Fn>
void paintDisc (juce::Image& image, juce::Point<float> centre, float radius, Fn fn)
{
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    const auto x0 = juce::jmax (0, static_cast<int> (centre.x - radius) - 2);
    const auto x1 = juce::jmin (image.getWidth() - 1, static_cast<int> (centre.x + radius) + 2);
    const auto y0 = juce::jmax (0, static_cast<int> (centre.y - radius) - 2);
    const auto y1 = juce::jmin (image.getHeight() - 1, static_cast<int> (centre.y + radius) + 2);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
        {
            const auto r = px (static_cast<float> (x), static_cast<float> (y)).getDistanceFrom (centre);
            const auto coverage = clamp01 (radius + 0.5f - r);
            if (coverage <= 0.0f)
                continue;
            const auto c = fn (x, y, r / radius);
            data.setPixelColour (x, y, data.getPixelColour (x, y).overlaidWith (c.withMultipliedAlpha (coverage)));
        }
}

void fillLegend (juce::Graphics& g, const juce::Path& path)
{
    g.setColour (legendWhite);
    g.fillPath (path);
}

void screw (juce::Image& image, juce::Graphics& g, juce::Point<float> centre, float angleDegrees)
{
    constexpr float radius = 11.0f;
    paintDisc (image, centre + juce::Point<float> (0.8f, 1.2f), radius + 1.5f,
               [] (int, int, float t) { return juce::Colours::black.withAlpha (0.35f * (1.0f - t * t)); });
    paintDisc (image, centre, radius,
               [centre] (int x, int y, float t)
               {
                   const auto p = px (static_cast<float> (x), static_cast<float> (y)) - centre;
                   const auto lightness = 0.5f - 0.5f * (p.x + p.y) / (2.0f * radius);
                   return shade (rgb (150, 146, 138),
                                 70.0f * lightness - 30.0f * t * t * t + 3.0f * hashNoise (77, x, y));
               });
    g.setColour (rgb (55, 52, 48));
    g.strokePath (circle (centre, radius - 0.3f), juce::PathStrokeType (0.9f));
    const auto turn = juce::AffineTransform::rotation (juce::degreesToRadians (angleDegrees), centre.x, centre.y);
    juce::Path slot;
    slot.addRoundedRectangle (centre.x - radius + 2.0f, centre.y - 1.6f, 2.0f * radius - 4.0f, 3.2f, 1.0f);
    slot.addRoundedRectangle (centre.x - 1.6f, centre.y - 6.5f, 3.2f, 13.0f, 1.0f);
    slot.setUsingNonZeroWinding (true);
    slot.applyTransform (turn);
    g.setColour (rgb (38, 35, 32));
    g.fillPath (slot);
    g.setColour (juce::Colours::white.withAlpha (0.25f));
    g.strokePath (slot, juce::PathStrokeType (0.5f), juce::AffineTransform::translation (0.4f, 0.6f));
}

// A matt black hole in the plate: a recess lit from the upper left.
void hole (juce::Image& image, juce::Graphics& g, juce::Point<float> centre, float radius)
{
    paintDisc (image, centre, radius,
               [] (int x, int y, float t)
               { return shade (rgb (18, 17, 16), 10.0f * (1.0f - t) + 1.5f * hashNoise (91, x, y)); });
    juce::ColourGradient wall (juce::Colours::white.withAlpha (0.0f), centre.x - 0.3f * radius,
                               centre.y - 0.3f * radius, juce::Colours::white.withAlpha (0.35f),
                               centre.x + 0.7f * radius, centre.y + 0.7f * radius, false);
    g.setGradientFill (wall);
    g.strokePath (circle (centre, radius - 0.8f), juce::PathStrokeType (1.2f));
}

// The dotted scale of a large knob: 51 dots over +-150 degrees, larger at each numeral,
// the right side in shade; numerals 0..10 when asked for.
void dottedScale (juce::Graphics& g, const ArtKit::Fonts& fonts, juce::Point<float> centre, bool numerals)
{
    constexpr float dotRadius = 84.0f, numeralRadius = 91.0f;
    for (int i = 0; i <= 50; ++i)
    {
        const auto degrees = -150.0f + 6.0f * static_cast<float> (i);
        const auto a = juce::degreesToRadians (degrees);
        const auto major = i % 5 == 0;
        const juce::Point<float> dot{ centre.x + dotRadius * std::sin (a), centre.y - dotRadius * std::cos (a) };
        const auto inShade = smoothStep (0.0f, 120.0f, degrees);
        g.setColour (legendWhite.interpolatedWith (rgb (176, 168, 152), 0.75f * inShade));
        g.fillPath (circle (dot, major ? 2.7f : 1.5f));
        if (numerals && major)
        {
            const juce::Point<float> at{ centre.x + numeralRadius * std::sin (a),
                                         centre.y - numeralRadius * std::cos (a) };
            const auto text = juce::String (i / 5);
            // Numerals sit outside the dots; pull each one out by half its own width.
            const auto path = textPath (fonts.sansBold, text, 12.0f, at, 0.9f);
            const auto halfWidth = 0.5f * path.getBounds().getWidth();
            const auto nudge = juce::Point<float> (std::sin (a) * halfWidth * 0.6f, -std::cos (a) * 3.0f);
            g.setColour (legendWhite.interpolatedWith (rgb (190, 182, 166), 0.5f * inShade));
            g.fillPath (path, juce::AffineTransform::translation (nudge));
        }
    }
}

// An unlit LED lens in a dark bezel.
void ledLens (juce::Image& image, juce::Point<float> centre, juce::Colour colour, std::uint32_t seed)
{
    paintDisc (image, centre, 14.0f, [] (int, int, float t) { return shade (rgb (22, 20, 18), 14.0f * (1.0f - t)); });
    paintDisc (image, centre, 12.0f,
               [&] (int x, int y, float t)
               {
                   const auto p = px (static_cast<float> (x), static_cast<float> (y)) - centre;
                   const auto glare = 1.0f - smoothStep (0.0f, 4.0f, p.getDistanceFrom ({ -4.0f, -4.5f }));
                   return shade (colour, -25.0f * t * t + 6.0f * hashNoise (seed, x, y))
                       .interpolatedWith (juce::Colours::white, 0.3f * glare);
               });
}

juce::Path roundedFrame (float x0, float y0, float x1, float y1, float corner)
{
    juce::Path p;
    p.addRoundedRectangle (x0, y0, x1 - x0, y1 - y0, corner);
    return p;
}

void legendDot (juce::Graphics& g, juce::Point<float> at)
{
    g.setColour (legendWhite);
    g.fillPath (circle (at, 2.2f));
}

const juce::Colour darkRedOrange = rgb (104, 34, 16);
const juce::Colour darkYellow = rgb (104, 88, 20);
const juce::Colour darkGreen = rgb (24, 74, 32);
} // namespace

juce::Image drawMainPanel (const ArtKit::Fonts& fonts)
{
    auto image = brushedPlate (1);
    juce::Graphics g (image);
    const auto& bold = fonts.sansBold;

    // Head: model name, screw, function caption, maker's badge.
    screw (image, g, px (150, 26), 28.0f);
    fillLegend (g, textPath (bold,
                             juce::String::fromUTF8 ("\xe2\x80\x9c"
                                                     "9V-210"
                                                     "\xe2\x80\x9d"),
                             25.0f, px (72, 28), 0.85f));
    fillLegend (g, textPath (fonts.serif, "Pre-Amp & EQ", 17.0f, px (226, 29), 0.95f, 0.28f));
    g.setColour (legendWhite);
    g.drawEllipse (62.5f, 61.5f, 176.0f, 34.0f, 2.0f);
    fillLegend (g, textPath (bold.withExtraKerningFactor (0.12f), "TESSARO AUDIO", 14.0f, px (150, 78)));

    // Level column: five lenses in a white frame, legends to their right.
    g.setColour (legendWhite);
    g.strokePath (roundedFrame (223.5f, 121.5f, 258.5f, 284.5f, 10.0f), juce::PathStrokeType (2.0f));
    const float meterY[] = { 139.5f, 170.5f, 202.5f, 234.0f, 265.5f };
    const juce::Colour meterColour[] = { darkRedOrange, darkYellow, darkYellow, darkGreen, darkGreen };
    const char* meterLegend[] = { "L", "O", "U", "D", "SIG" };
    for (int i = 0; i < 5; ++i)
    {
        ledLens (image, px (240.5f, meterY[i]), meterColour[i], 300u + static_cast<std::uint32_t> (i));
        fillLegend (g, textPathAt (bold, meterLegend[i], 11.0f, 266.0f, meterY[i] + 0.5f, Anchor::left));
    }

    // Large knobs with their scales and names.
    struct Knob
    {
        float x, y;
        const char* name;
    };
    const Knob knobs[] = {
        { 98, 223.5f, "GAIN" }, { 201, 404.5f, "OUTPUT" }, { 98.5f, 586, "HIGH BOOST" }, { 201, 781.5f, "LOW BOOST" }
    };
    for (const auto& k : knobs)
    {
        hole (image, g, px (k.x, k.y), 76.5f);
        dottedScale (g, fonts, px (k.x, k.y), true);
        fillLegend (g, textPath (bold, k.name, 14.0f, px (k.x, k.y + 92.0f), 0.9f));
    }

    // Frequency switches: holes and their three legends, each with a dot.
    hole (image, g, px (224, 585.5f), 26.5f);
    fillLegend (g, textPath (bold, "16 kHz", 12.0f, px (226, 537), 0.9f));
    legendDot (g, px (199, 537));
    fillLegend (g, textPathAt (bold, "10", 12.0f, 261.0f, 586.0f, Anchor::left, 0.9f));
    legendDot (g, px (283, 585.5f));
    fillLegend (g, textPath (bold, "6", 12.0f, px (226, 631), 0.9f));
    legendDot (g, px (214, 631));

    hole (image, g, px (71, 782), 26.5f);
    fillLegend (g, textPath (bold, "Hz 100", 12.0f, px (71, 733), 0.9f));
    legendDot (g, px (43, 733));
    fillLegend (g, textPathAt (bold, "60", 12.0f, 31.0f, 782.5f, Anchor::right, 0.9f));
    legendDot (g, px (13, 782));
    fillLegend (g, textPath (bold, "30", 12.0f, px (71, 828), 0.9f));
    legendDot (g, px (54, 828));

    // Power lamp.
    ledLens (image, px (60.5f, 455), darkGreen, 310);
    fillLegend (g, textPathAt (bold, "PWR", 11.0f, 44.0f, 455.5f, Anchor::right));

    // Push-button recesses and their names.
    struct Recess
    {
        float x, y;
        const char* name;
    };
    const Recess recesses[] = { { 51, 928.5f, "EQ" }, { 149, 927.5f, "POL." }, { 244, 927.5f, "ANALOG" } };
    for (const auto& r : recesses)
    {
        const auto c = px (r.x, r.y);
        const auto frame = roundedFrame (c.x - 40.0f, c.y - 40.0f, c.x + 40.0f, c.y + 40.0f, 11.0f);
        g.setColour (juce::Colours::black.withAlpha (0.12f));
        g.fillPath (frame);
        g.setColour (legendWhite);
        g.strokePath (frame, juce::PathStrokeType (2.4f));
        hole (image, g, c, 32.5f);
        fillLegend (g, textPath (bold, r.name, 12.5f, px (r.x, 983), 0.95f));
    }

    // Foot: maker's logo, screw, monogram.
    g.setColour (legendWhite);
    g.strokePath (textPath (bold, "QVA", 27.0f, px (52, 1020), 1.15f, 0.12f), juce::PathStrokeType (1.5f));
    screw (image, g, px (150, 1021), -17.0f);
    fillLegend (g, textPath (fonts.serifBold, "T", 30.0f, px (244, 1019), 1.0f, 0.35f));
    juce::Path swash;
    swash.addCentredArc (px (244, 1020).x, px (244, 1020).y, 22.0f, 11.0f, -0.35f, 0.6f, 5.6f, true);
    g.strokePath (swash, juce::PathStrokeType (1.6f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    return image;
}

juce::Image drawFilterPanel (const ArtKit::Fonts& fonts)
{
    auto image = brushedPlate (2);
    juce::Graphics g (image);
    const auto& bold = fonts.sansBold;

    screw (image, g, px (150, 26), 63.0f);
    screw (image, g, px (150, 1023), -41.0f);

    struct Section
    {
        float frameTop, frameBottom, knobY, ledY, ringY;
        const char* title;
    };
    const Section sections[] = { { 106, 536, 223.5f, 372, 459, "LOWPASS" },
                                 { 557, 987, 674, 823, 909.5f, "HIGHPASS" } };
    for (const auto& s : sections)
    {
        g.setColour (legendWhite);
        g.strokePath (roundedFrame (16.5f, s.frameTop + 0.5f, 285.5f, s.frameBottom + 0.5f, 12.0f),
                      juce::PathStrokeType (2.0f));

        hole (image, g, px (150, s.knobY), 76.5f);
        dottedScale (g, fonts, px (150, s.knobY), false);
        fillLegend (g, textPath (bold, "20 Hz", 12.5f, px (86, s.knobY + 88.0f), 0.9f));
        fillLegend (g, textPath (bold, "20 kHz", 12.5f, px (214, s.knobY + 88.0f), 0.9f));
        fillLegend (g, textPath (bold, s.title, 17.0f, px (150, s.knobY + 106.0f), 0.95f));

        const float ledX[] = { 55.5f, 102.5f, 150.5f, 197.5f, 245.0f };
        const char* slopes[] = { "6", "12", "18", "24", "36" };
        for (int i = 0; i < 5; ++i)
        {
            ledLens (image, px (ledX[i], s.ledY), darkGreen,
                     400u + static_cast<std::uint32_t> (i) + (s.knobY > 500 ? 10u : 0u));
            fillLegend (g, textPath (bold, slopes[i], 12.0f, px (ledX[i], s.ledY + 26.0f), 0.9f));
        }
        fillLegend (g, textPath (fonts.sans, "db/Oct", 11.5f, px (150.5f, s.ledY + 42.0f)));

        g.setColour (legendWhite);
        g.strokePath (circle (px (87, s.ringY), 32.5f), juce::PathStrokeType (2.2f));
        g.strokePath (circle (px (213, s.ringY), 32.5f), juce::PathStrokeType (2.2f));
        fillLegend (g, textPath (bold, "SLOPE", 12.5f, px (87, s.ringY + 52.0f), 0.95f));
        fillLegend (g, textPath (bold, "FILTER ON", 12.5f, px (213, s.ringY + 52.0f), 0.95f));
    }
    return image;
}
