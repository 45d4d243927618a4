// The knob, switch, button, link and LED images. Coordinates are continuous (a pixel with
// index i spans i..i+1); every part is laid out around fixed centres the controls rely on.
#include "Artwork.h"

#include <array>
#include <cmath>

using namespace ArtKit;

namespace
{
constexpr float pi = juce::MathConstants<float>::pi;

// Angle clockwise from straight up, in radians (-pi..pi].
float bearing (float dx, float dy) { return std::atan2 (dx, -dy); }

// A wedge of light around `centre` (radians), narrower for a larger `sharpness`.
float lobe (float angle, float centre, float sharpness)
{
    return std::pow (0.5f + 0.5f * std::cos (angle - centre), sharpness);
}

float distance (int x, int y, juce::Point<float> c)
{
    return juce::Point<float> (static_cast<float> (x) + 0.5f, static_cast<float> (y) + 0.5f).getDistanceFrom (c);
}

juce::Colour grey (float level, float warmth = 0.0f, float alpha = 1.0f)
{
    auto channel = [] (float v) { return static_cast<juce::uint8> (juce::jlimit (0, 255, juce::roundToInt (v))); };
    return juce::Colour (channel (level), channel (level * (1.0f - 0.03f * warmth)),
                         channel (level * (1.0f - 0.08f * warmth)), alpha);
}

// A brushed cone seen from above: fine radial streaks plus broad reflected wedges.
float conicalSheen (std::uint32_t seed, float angle, float radius)
{
    const auto turns = (angle + pi) / (2.0f * pi);
    const auto streaks =
        valueNoise (seed, 0, turns * 900.0f, 1.0f) * 0.6f + valueNoise (seed + 1, 0, turns * 240.0f, 1.0f) * 0.4f;
    const auto grain = hashNoise (seed + 2, juce::roundToInt (turns * 2000.0f), juce::roundToInt (radius));
    return streaks + 0.25f * grain;
}

// Chrome: a radial gradient lit from the upper left.
juce::ColourGradient chromeBall (juce::Point<float> centre, float radius)
{
    juce::ColourGradient gradient (grey (255), centre.x - 0.35f * radius, centre.y - 0.4f * radius, grey (40),
                                   centre.x + 0.9f * radius, centre.y + 0.9f * radius, true);
    gradient.addColour (0.18, grey (235));
    gradient.addColour (0.45, grey (150));
    gradient.addColour (0.75, grey (95));
    gradient.addColour (0.92, grey (175));
    return gradient;
}
} // namespace

// ---- Knob ------------------------------------------------------------------------------

namespace
{
const juce::Point<float> knobCentre{ 83.0f, 83.0f };
constexpr int knobSize = 166;
} // namespace

juce::Image drawKnobBack()
{
    constexpr float radius = 76.0f;
    return texture (juce::Image::ARGB, knobSize, knobSize,
                    [] (int x, int y)
                    {
                        const auto dx = static_cast<float> (x) + 0.5f - knobCentre.x;
                        const auto dy = static_cast<float> (y) + 0.5f - knobCentre.y;
                        const auto r = std::hypot (dx, dy);
                        const auto coverage = clamp01 (radius + 0.5f - r);
                        if (coverage <= 0.0f)
                            return juce::Colours::transparentBlack;
                        const auto a = bearing (dx, dy);
                        auto level = 14.0f + 46.0f * lobe (a, -0.75f, 14.0f) + 30.0f * lobe (a, 0.65f, 18.0f) +
                                     16.0f * lobe (a, 2.6f, 20.0f) + 7.0f * conicalSheen (11, a, r);
                        level *= 1.0f - 0.45f * lobe (a, pi, 2.0f); // darkest towards the bottom
                        level +=
                            18.0f * smoothStep (radius - 2.5f, radius - 1.0f, r) * lobe (a, -0.8f, 2.0f); // lit edge
                        return grey (juce::jmax (4.0f, level), 0.5f, coverage);
                    });
}

juce::Image drawKnobMid()
{
    constexpr float bodyRadius = 55.0f, fluteRadius = 11.0f, fluteDistance = 57.0f;
    std::array<juce::Point<float>, 6> flutes;
    for (size_t i = 0; i < flutes.size(); ++i)
    {
        const auto a = juce::degreesToRadians (30.0f + 60.0f * static_cast<float> (i));
        flutes[i] = { knobCentre.x + fluteDistance * std::sin (a), knobCentre.y - fluteDistance * std::cos (a) };
    }
    // Signed distance to the fluted outline (positive inside the body).
    auto inside = [&] (juce::Point<float> p)
    {
        auto d = bodyRadius - p.getDistanceFrom (knobCentre);
        for (auto f : flutes)
            d = juce::jmin (d, p.getDistanceFrom (f) - fluteRadius);
        return d;
    };
    auto image =
        texture (juce::Image::ARGB, knobSize, knobSize,
                 [&] (int x, int y)
                 {
                     // 4 x 4 supersampled coverage for clean edges on the concave flutes.
                     int hits = 0;
                     for (int sy = 0; sy < 4; ++sy)
                         for (int sx = 0; sx < 4; ++sx)
                             if (inside ({ static_cast<float> (x) + (static_cast<float> (sx) + 0.5f) / 4.0f,
                                           static_cast<float> (y) + (static_cast<float> (sy) + 0.5f) / 4.0f }) > 0.0f)
                                 ++hits;
                     if (hits == 0)
                         return juce::Colours::transparentBlack;
                     const auto p = px (static_cast<float> (x), static_cast<float> (y));
                     const auto r = p.getDistanceFrom (knobCentre);
                     // Matt black, with a lighter edge so the flutes read against the skirt.
                     const auto level = 24.0f + 10.0f * (r / bodyRadius) +
                                        34.0f * (1.0f - smoothStep (0.0f, 1.8f, inside (p))) +
                                        2.0f * hashNoise (41, x, y);
                     return grey (level, 0.4f, static_cast<float> (hits) / 16.0f);
                 });

    // Pointer line: from inside the body out over the skirt, at rotation 0 straight up.
    juce::Graphics g (image);
    g.setColour (ArtKit::rgb (240, 232, 212));
    g.fillRoundedRectangle (knobCentre.x - 2.5f, knobCentre.y - 76.0f, 5.0f, 36.0f, 1.5f);
    return image;
}

juce::Image drawKnobTop()
{
    constexpr float capRadius = 51.0f;
    const juce::Point<float> shadowCentre{ knobCentre.x + 2.5f, knobCentre.y + 3.5f };
    auto shadow =
        texture (juce::Image::ARGB, knobSize, knobSize,
                 [&] (int x, int y)
                 {
                     const auto r = distance (x, y, shadowCentre);
                     return juce::Colours::black.withAlpha (0.6f * (1.0f - smoothStep (capRadius - 2.0f, 70.0f, r)));
                 });
    auto cap = texture (juce::Image::ARGB, knobSize, knobSize,
                        [] (int x, int y)
                        {
                            const auto dx = static_cast<float> (x) + 0.5f - knobCentre.x;
                            const auto dy = static_cast<float> (y) + 0.5f - knobCentre.y;
                            const auto r = std::hypot (dx, dy);
                            const auto coverage = clamp01 (capRadius + 0.5f - r);
                            if (coverage <= 0.0f)
                                return juce::Colours::transparentBlack;
                            const auto a = bearing (dx, dy);
                            auto level = 118.0f + 78.0f * lobe (a, -0.8f, 3.0f) + 62.0f * lobe (a, pi - 0.8f, 3.0f) -
                                         35.0f * lobe (a, 0.8f, 2.0f) + 13.0f * conicalSheen (23, a, r);
                            const auto rim = smoothStep (capRadius - 3.0f, capRadius - 1.2f, r);
                            level = level * (1.0f - 0.78f * rim);
                            level += 40.0f * smoothStep (capRadius - 4.5f, capRadius - 3.2f, r) * (1.0f - rim) *
                                     lobe (a, -0.8f, 2.0f);
                            return grey (juce::jlimit (20.0f, 250.0f, level), 1.0f, coverage);
                        });
    juce::Graphics g (shadow);
    g.drawImageAt (cap, 0, 0);
    return shadow;
}

// ---- Switch ----------------------------------------------------------------------------

namespace
{
const juce::Point<float> switchCentre{ 40.0f, 47.0f };
constexpr int switchWidth = 80, switchHeight = 94;

juce::Path hexagon (float radius)
{
    juce::Path p;
    for (int i = 0; i < 6; ++i)
    {
        const auto a = juce::degreesToRadians (60.0f * static_cast<float> (i));
        const juce::Point<float> vertex{ switchCentre.x + radius * std::sin (a),
                                         switchCentre.y - radius * std::cos (a) };
        if (i == 0)
            p.startNewSubPath (vertex);
        else
            p.lineTo (vertex);
    }
    p.closeSubPath();
    return p;
}
} // namespace

juce::Image drawSwitchBase()
{
    juce::Image image (juce::Image::ARGB, switchWidth, switchHeight, true);
    juce::Graphics g (image);
    constexpr float outer = 36.0f, inner = 29.0f;
    const auto light = juce::Point<float> (-0.6f, -0.8f);

    // Chamfered faces of the nut, each shaded by how it faces the light.
    for (int i = 0; i < 6; ++i)
    {
        auto corner = [] (float radius, int k)
        {
            const auto a = juce::degreesToRadians (60.0f * static_cast<float> (k % 6));
            return juce::Point<float>{ switchCentre.x + radius * std::sin (a), switchCentre.y - radius * std::cos (a) };
        };
        juce::Path face;
        face.startNewSubPath (corner (outer, i));
        face.lineTo (corner (outer, i + 1));
        face.lineTo (corner (inner, i + 1));
        face.lineTo (corner (inner, i));
        face.closeSubPath();
        const auto mid = juce::degreesToRadians (60.0f * static_cast<float> (i) + 30.0f);
        const auto facing = std::sin (mid) * light.x - std::cos (mid) * light.y;
        g.setColour (grey (128.0f + 90.0f * facing, 0.6f));
        g.fillPath (face);
        g.strokePath (face, juce::PathStrokeType (0.6f));
    }

    // Flat top of the nut, brushed, lit from the upper left.
    auto top = texture (juce::Image::ARGB, switchWidth, switchHeight,
                        [] (int x, int y)
                        {
                            const auto t = (static_cast<float> (x) + static_cast<float> (y)) /
                                           static_cast<float> (switchWidth + switchHeight);
                            const auto level = 205.0f - 95.0f * t +
                                               5.0f * valueNoise (31, y, static_cast<float> (x), 3.0f) +
                                               2.5f * hashNoise (32, x, y);
                            return grey (level, 0.6f);
                        });
    fillWithTexture (g, hexagon (inner), top);
    g.setColour (grey (60).withAlpha (0.8f));
    g.strokePath (hexagon (outer - 0.4f), juce::PathStrokeType (0.8f));

    // Chrome ring and the dark bushing it holds.
    g.setGradientFill (chromeBall (switchCentre, 20.0f));
    g.fillPath (circle (switchCentre, 20.0f));
    g.setColour (grey (70).withAlpha (0.7f));
    g.strokePath (circle (switchCentre, 20.0f), juce::PathStrokeType (0.8f));
    juce::ColourGradient bushing (grey (70), switchCentre.x - 6.0f, switchCentre.y - 8.0f, grey (12),
                                  switchCentre.x + 10.0f, switchCentre.y + 12.0f, true);
    g.setGradientFill (bushing);
    g.fillPath (circle (switchCentre, 15.0f));
    g.setColour (juce::Colours::black.withAlpha (0.8f));
    g.fillPath (circle (switchCentre, 9.0f));
    return image;
}

juce::Image drawSwitchLever (LeverPosition position)
{
    juce::Image image (juce::Image::ARGB, switchWidth, switchHeight, true);
    juce::Graphics g (image);
    constexpr float ballRadius = 12.0f;
    if (position != LeverPosition::middle)
    {
        // Shaft from the pivot to the ball: dark chrome, highlight on the lit (left) side.
        const auto up = position == LeverPosition::top;
        const auto ballY = up ? 19.0f : 75.0f;
        const auto pivotY = switchCentre.y;
        juce::Path shaft; // its round end reaches 6 pixels past the pivot
        shaft.startNewSubPath (switchCentre.x - 6.0f, pivotY);
        shaft.lineTo (switchCentre.x - 4.0f, ballY);
        shaft.lineTo (switchCentre.x + 4.0f, ballY);
        shaft.lineTo (switchCentre.x + 6.0f, pivotY);
        shaft.closeSubPath();
        shaft.addEllipse (switchCentre.x - 6.0f, pivotY - 6.0f, 12.0f, 12.0f);
        juce::ColourGradient metal (grey (70), switchCentre.x - 6.0f, 0.0f, grey (25), switchCentre.x + 6.0f, 0.0f,
                                    false);
        metal.addColour (0.3, grey (175));
        metal.addColour (0.55, grey (90));
        g.setGradientFill (metal);
        g.fillPath (shaft);
        g.setGradientFill (chromeBall ({ switchCentre.x, ballY }, ballRadius));
        g.fillPath (circle ({ switchCentre.x, ballY }, ballRadius));
        g.setColour (grey (40).withAlpha (0.6f));
        g.strokePath (circle ({ switchCentre.x, ballY }, ballRadius - 0.4f), juce::PathStrokeType (0.8f));
        return image;
    }
    // Seen end-on: only the ball tip over the pivot.
    g.setGradientFill (chromeBall (switchCentre, ballRadius));
    g.fillPath (circle (switchCentre, ballRadius));
    g.setColour (grey (40).withAlpha (0.6f));
    g.strokePath (circle (switchCentre, ballRadius - 0.4f), juce::PathStrokeType (0.8f));
    return image;
}

// ---- Push buttons ----------------------------------------------------------------------

namespace
{
struct LensColours
{
    juce::Colour unlit, core, glow, edge;
};

LensColours lensColours (Lens lens)
{
    switch (lens)
    {
        case Lens::green:
            return { rgb (22, 66, 54), rgb (215, 255, 190), rgb (70, 235, 80), rgb (18, 120, 45) };
        case Lens::red:
            return { rgb (124, 46, 26), rgb (255, 228, 170), rgb (255, 98, 40), rgb (170, 36, 14) };
        case Lens::yellow:
            return { rgb (124, 96, 30), rgb (255, 255, 210), rgb (255, 222, 50), rgb (185, 135, 18) };
    }
    return {};
}

std::uint32_t lensSeed (Lens lens) { return 100u + static_cast<std::uint32_t> (lens); }

// Speckle of a glowing diffuser: clustered grains at two scales.
float speckle (std::uint32_t seed, int x, int y)
{
    return 0.6f * hashNoise (seed, x, y) + 0.4f * hashNoise (seed + 7, x / 2, y / 2);
}
} // namespace

juce::Image drawPushButton (Lens lens, bool lit)
{
    const juce::Point<float> centre{ 53.5f, 57.0f };
    constexpr float bezelRadius = 36.3f, lensRadius = 26.0f;
    constexpr int size = 120;

    // Shadow towards the lower right, then the bezel: identical for both states.
    const juce::Point<float> shadowCentre{ centre.x + 5.0f, centre.y + 3.5f };
    auto image =
        texture (juce::Image::ARGB, size, size,
                 [&] (int x, int y)
                 {
                     const auto r = distance (x, y, shadowCentre);
                     return juce::Colours::black.withAlpha (0.55f * (1.0f - smoothStep (bezelRadius - 4.0f, 43.0f, r)));
                 });
    juce::Graphics g (image);
    juce::ColourGradient bezel (grey (40), centre.x - 20.0f, centre.y - 24.0f, grey (6), centre.x + 24.0f,
                                centre.y + 28.0f, false);
    g.setGradientFill (bezel);
    g.fillPath (circle (centre, bezelRadius));
    juce::ColourGradient bevel (juce::Colours::white.withAlpha (0.55f), centre.x - 25.0f, centre.y - 25.0f,
                                juce::Colours::white.withAlpha (0.0f), centre.x + 10.0f, centre.y + 10.0f, false);
    g.setGradientFill (bevel);
    g.strokePath (circle (centre, bezelRadius - 1.6f), juce::PathStrokeType (1.3f));
    g.setColour (juce::Colours::black);
    g.strokePath (circle (centre, lensRadius + 1.6f), juce::PathStrokeType (2.0f));
    juce::ColourGradient groove (juce::Colours::white.withAlpha (0.0f), centre.x - 10.0f, centre.y - 10.0f,
                                 juce::Colours::white.withAlpha (0.35f), centre.x + 22.0f, centre.y + 22.0f, false);
    g.setGradientFill (groove);
    g.strokePath (circle (centre, lensRadius + 3.0f), juce::PathStrokeType (0.9f));

    // The lens: everything that differs between the two states lies inside its circle.
    const auto colours = lensColours (lens);
    const auto seed = lensSeed (lens);
    auto lensImage = texture (
        juce::Image::ARGB, size, size,
        [&] (int x, int y)
        {
            const auto r = distance (x, y, centre);
            const auto coverage = clamp01 (lensRadius + 0.5f - r);
            if (coverage <= 0.0f)
                return juce::Colours::transparentBlack;
            const auto t = r / lensRadius;
            // A fixed glare near the upper left, as on a domed lens.
            const auto glare = 1.0f - smoothStep (0.0f, 9.0f, distance (x, y, { centre.x - 9.0f, centre.y - 11.0f }));
            juce::Colour c;
            if (lit)
            {
                c = t < 0.45f ? colours.core.interpolatedWith (colours.glow, smoothStep (0.0f, 0.45f, t))
                              : colours.glow.interpolatedWith (colours.edge, smoothStep (0.45f, 1.0f, t));
                c = shade (c, 26.0f * speckle (seed, x, y) * (1.0f - 0.5f * t));
                c = c.interpolatedWith (juce::Colours::white, 0.25f * glare);
            }
            else
            {
                c = shade (colours.unlit, -22.0f * t * t + 5.0f * speckle (seed, x, y));
                c = c.interpolatedWith (juce::Colours::white, 0.18f * glare);
            }
            return c.withAlpha (coverage);
        });
    g.drawImageAt (lensImage, 0, 0);
    return image;
}

// ---- Link ------------------------------------------------------------------------------

juce::Image drawLink (bool on)
{
    constexpr int size = 100;
    constexpr float stroke = 7.0f;
    const auto axisAngle = -pi / 4.0f; // lower left to upper right
    const juce::Point<float> centre{ 50.0f, 50.0f };
    const juce::Point<float> along{ std::cos (axisAngle), std::sin (axisAngle) };
    const juce::Point<float> across{ -along.y, along.x };

    auto linkPath = [&] (float offset)
    {
        juce::Path p;
        p.addRoundedRectangle (-30.0f, -14.0f, 60.0f, 28.0f, 14.0f);
        p.applyTransform (juce::AffineTransform::rotation (axisAngle).translated (centre.x + offset * along.x,
                                                                                  centre.y + offset * along.y));
        return p;
    };
    auto mask = [&] (const juce::Path& centreLine, float width)
    {
        juce::Image m (juce::Image::SingleChannel, size, size, true);
        juce::Graphics g (m);
        g.setColour (juce::Colours::white);
        g.strokePath (centreLine, juce::PathStrokeType (width));
        return m;
    };
    const auto a = linkPath (-23.0f), b = linkPath (23.0f);
    const auto maskA = mask (a, stroke), maskB = mask (b, stroke);
    const auto haloA = mask (a, stroke + 5.0f), haloB = mask (b, stroke + 5.0f);

    // Interlocked: at one crossing A passes over B, at the other B over A.
    const auto opacity = on ? 1.0f : 0.5f;
    return texture (juce::Image::ARGB, size, size,
                    [&] (int x, int y)
                    {
                        const auto side = (static_cast<float> (x) + 0.5f - centre.x) * across.x +
                                          (static_cast<float> (y) + 0.5f - centre.y) * across.y;
                        const auto coverA = maskA.getPixelAt (x, y).getFloatAlpha();
                        const auto coverB = maskB.getPixelAt (x, y).getFloatAlpha();
                        const auto cutA = side > 0.0f ? haloB.getPixelAt (x, y).getFloatAlpha() : 0.0f;
                        const auto cutB = side <= 0.0f ? haloA.getPixelAt (x, y).getFloatAlpha() : 0.0f;
                        const auto alpha = juce::jmax (coverA * (1.0f - cutA), coverB * (1.0f - cutB));
                        return juce::Colours::white.withAlpha (alpha * opacity);
                    });
}

// ---- LED glows -------------------------------------------------------------------------

juce::Image drawLedGlow (Lens colour)
{
    const juce::Point<float> centre{ 16.5f, 16.5f };
    const auto [hot, core] = [colour]
    {
        switch (colour)
        {
            case Lens::green:
                return std::pair{ rgb (40, 250, 60), rgb (205, 255, 200) };
            case Lens::yellow:
                return std::pair{ rgb (255, 226, 30), rgb (255, 255, 205) };
            case Lens::red:
                return std::pair{ rgb (255, 44, 26), rgb (255, 210, 180) };
        }
        return std::pair{ juce::Colours::white, juce::Colours::white };
    }();
    const auto seed = 200u + static_cast<std::uint32_t> (colour);
    return texture (juce::Image::ARGB, 34, 34,
                    [&] (int x, int y)
                    {
                        const auto t = distance (x, y, centre) / 16.0f;
                        if (t >= 1.0f)
                            return juce::Colours::transparentBlack;
                        const auto fall = 1.0f - t * t;
                        const auto alpha = (250.0f / 255.0f) * fall * std::sqrt (fall);
                        auto c = core.interpolatedWith (hot, smoothStep (0.0f, 0.55f, t));
                        c = shade (c, 30.0f * speckle (seed, x, y) * t);
                        return c.withAlpha (alpha);
                    });
}
