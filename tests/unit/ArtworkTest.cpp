// The embedded artwork: file format, sizes and the geometry the controls and the panel
// layout rely on (pixel indices: a W-pixel image has its centre at (W - 1) / 2).
#include "editor/controls/ArtworkDrawing.h"
#include "resources/EmbeddedArtwork.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

namespace
{
enum class Format
{
    rgb = 2,
    rgba = 6
};

struct Resource
{
    const char* name;
    const unsigned char* data;
    int size;
    int width, height;
    Format format;
};

#define T9V_RESOURCE(symbol, w, h, format)                                                                             \
    {                                                                                                                  \
#symbol, resource_##symbol##_png, resource_##symbol##_pngSize, w, h, format                                    \
    }
const Resource resources[] = {
    T9V_RESOURCE (T9VUI_back, 300, 1050, Format::rgb),
    T9V_RESOURCE (T9VUI_backSide, 300, 1050, Format::rgb),
    T9V_RESOURCE (T9VUI_greenLed, 34, 34, Format::rgba),
    T9V_RESOURCE (T9VUI_yellowLed, 34, 34, Format::rgba),
    T9V_RESOURCE (T9VUI_redLed, 34, 34, Format::rgba),
    T9V_RESOURCE (TessaroKnob_back, 166, 166, Format::rgba),
    T9V_RESOURCE (TessaroKnob_mid, 166, 166, Format::rgba),
    T9V_RESOURCE (TessaroKnob_top, 166, 166, Format::rgba),
    T9V_RESOURCE (TessaroSwitch_switchBase, 80, 94, Format::rgba),
    T9V_RESOURCE (TessaroSwitch_switchTop, 80, 94, Format::rgba),
    T9V_RESOURCE (TessaroSwitch_switchMid, 80, 94, Format::rgba),
    T9V_RESOURCE (TessaroSwitch_switchBottom, 80, 94, Format::rgba),
    T9V_RESOURCE (TessaroGreenButton_greenButtonOff, 120, 120, Format::rgba),
    T9V_RESOURCE (TessaroGreenButton_greenButtonOn, 120, 120, Format::rgba),
    T9V_RESOURCE (TessaroRedButton_redButtonOff, 120, 120, Format::rgba),
    T9V_RESOURCE (TessaroRedButton_redButtonOn, 120, 120, Format::rgba),
    T9V_RESOURCE (TessaroYellowButton_yellowButtonOff, 120, 120, Format::rgba),
    T9V_RESOURCE (TessaroYellowButton_yellowButtonOn, 120, 120, Format::rgba),
    T9V_RESOURCE (LinkButton_linkOff, 100, 100, Format::rgba),
    T9V_RESOURCE (LinkButton_linkOn, 100, 100, Format::rgba),
};
#undef T9V_RESOURCE

juce::Image load (const unsigned char* data, int size) { return Tessaro9V::loadArtwork (data, size); }

std::uint32_t bigEndian (const unsigned char* p)
{
    return (std::uint32_t (p[0]) << 24) | (std::uint32_t (p[1]) << 16) | (std::uint32_t (p[2]) << 8) |
           std::uint32_t (p[3]);
}

int alphaAt (const juce::Image& image, int x, int y) { return image.getPixelAt (x, y).getAlpha(); }

float brightness (juce::Colour c) { return (c.getRed() + c.getGreen() + c.getBlue()) / 3.0f; }

// Bounding box (pixel indices, inclusive) of the pixels whose alpha exceeds a threshold.
struct Box
{
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Box opaqueBox (const juce::Image& image, int threshold)
{
    Box box;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (alphaAt (image, x, y) > threshold)
            {
                box.left = std::min (box.left, x);
                box.right = std::max (box.right, x);
                box.top = std::min (box.top, y);
                box.bottom = std::max (box.bottom, y);
            }
    return box;
}

// Alpha-weighted centre of the pixels within maxRadius of `around` (pixel indices).
juce::Point<double> alphaCentroid (const juce::Image& image, juce::Point<double> around, double maxRadius)
{
    double sum = 0, sx = 0, sy = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            if (juce::Point<double> (x, y).getDistanceFrom (around) <= maxRadius)
            {
                const double a = alphaAt (image, x, y);
                sum += a;
                sx += a * x;
                sy += a * y;
            }
    return { sx / sum, sy / sum };
}

void expectBox (const Box& box, int left, int top, int right, int bottom, const char* what)
{
    SCOPED_TRACE (what);
    EXPECT_NEAR (box.left, left, 1);
    EXPECT_NEAR (box.top, top, 1);
    EXPECT_NEAR (box.right, right, 1);
    EXPECT_NEAR (box.bottom, bottom, 1);
}

void expectCentre (juce::Point<double> c, double x, double y, double tolerance, const char* what)
{
    SCOPED_TRACE (what);
    EXPECT_NEAR (c.x, x, tolerance);
    EXPECT_NEAR (c.y, y, tolerance);
}
} // namespace

TEST (Artwork, EveryImageIsAPlainEightBitPngOfItsSizeAndColourType)
{
    for (const auto& r : resources)
    {
        SCOPED_TRACE (r.name);
        ASSERT_GT (r.size, 33);
        const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };
        EXPECT_EQ (0, std::memcmp (r.data, signature, sizeof (signature)));
        EXPECT_EQ (0, std::memcmp (r.data + 12, "IHDR", 4));
        EXPECT_EQ (bigEndian (r.data + 16), std::uint32_t (r.width));
        EXPECT_EQ (bigEndian (r.data + 20), std::uint32_t (r.height));
        EXPECT_EQ (r.data[24], 8) << "bit depth";
        EXPECT_EQ (r.data[25], static_cast<int> (r.format)) << "colour type";
        EXPECT_EQ (r.data[28], 0) << "interlace";
        // The file ends with its IEND chunk, so the byte count covers the whole file.
        EXPECT_EQ (0, std::memcmp (r.data + r.size - 8, "IEND", 4));

        const auto image = load (r.data, r.size);
        ASSERT_TRUE (image.isValid());
        EXPECT_EQ (image.getWidth(), r.width);
        EXPECT_EQ (image.getHeight(), r.height);
        EXPECT_EQ (image.hasAlphaChannel(), r.format == Format::rgba);
    }
}

TEST (Artwork, IsDecodedOnceAndShared)
{
    const auto a = load (resource_TessaroKnob_mid_png, resource_TessaroKnob_mid_pngSize);
    const auto b = load (resource_TessaroKnob_mid_png, resource_TessaroKnob_mid_pngSize);
    EXPECT_EQ (a.getPixelData(), b.getPixelData());
}

TEST (Artwork, ButtonStatesDifferOnlyInsideTheLensAndTheLitLensIsBrighter)
{
    struct Pair
    {
        const unsigned char* off;
        int offSize;
        const unsigned char* on;
        int onSize;
        const char* name;
    };
    const Pair pairs[] = {
        { resource_TessaroGreenButton_greenButtonOff_png, resource_TessaroGreenButton_greenButtonOff_pngSize,
          resource_TessaroGreenButton_greenButtonOn_png, resource_TessaroGreenButton_greenButtonOn_pngSize, "green" },
        { resource_TessaroRedButton_redButtonOff_png, resource_TessaroRedButton_redButtonOff_pngSize,
          resource_TessaroRedButton_redButtonOn_png, resource_TessaroRedButton_redButtonOn_pngSize, "red" },
        { resource_TessaroYellowButton_yellowButtonOff_png, resource_TessaroYellowButton_yellowButtonOff_pngSize,
          resource_TessaroYellowButton_yellowButtonOn_png, resource_TessaroYellowButton_yellowButtonOn_pngSize,
          "yellow" },
    };
    const juce::Point<double> lensCentre{ 53.0, 56.5 }; // bezel x 17..89, y 21..92
    for (const auto& p : pairs)
    {
        SCOPED_TRACE (p.name);
        const auto off = load (p.off, p.offSize), on = load (p.on, p.onSize);
        int outsideDifferences = 0;
        double insideOff = 0, insideOn = 0;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x)
            {
                const auto r = juce::Point<double> (x, y).getDistanceFrom (lensCentre);
                if (r > 27.5)
                    outsideDifferences += off.getPixelAt (x, y) != on.getPixelAt (x, y) ? 1 : 0;
                else if (r < 22.0)
                {
                    insideOff += brightness (off.getPixelAt (x, y));
                    insideOn += brightness (on.getPixelAt (x, y));
                }
            }
        EXPECT_EQ (outsideDifferences, 0);
        EXPECT_GT (insideOn, insideOff * 1.8);
        expectBox (opaqueBox (off, 230), 17, 21, 89, 92, "bezel");
        // The shadow reaches out to the lower right only.
        const auto shadow = opaqueBox (off, 8);
        EXPECT_NEAR (shadow.right, 102, 3);
        EXPECT_NEAR (shadow.bottom, 101, 3);
        EXPECT_NEAR (shadow.left, 17, 2);
    }
}

TEST (Artwork, LinkOffIsTheSameShapeAtHalfOpacity)
{
    const auto off = load (resource_LinkButton_linkOff_png, resource_LinkButton_linkOff_pngSize);
    const auto on = load (resource_LinkButton_linkOn_png, resource_LinkButton_linkOn_pngSize);
    int maxOff = 0, maxOn = 0, shapeMismatches = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
        {
            maxOff = std::max (maxOff, alphaAt (off, x, y));
            maxOn = std::max (maxOn, alphaAt (on, x, y));
            shapeMismatches += std::abs (alphaAt (off, x, y) - alphaAt (on, x, y) / 2) > 1 ? 1 : 0;
        }
    EXPECT_LE (maxOff, 128);
    EXPECT_EQ (maxOn, 255);
    EXPECT_EQ (shapeMismatches, 0);
    // Set diagonally, lower left to upper right, over most of the canvas.
    EXPECT_GT (alphaAt (on, 12, 87), 128);
    EXPECT_GT (alphaAt (on, 87, 12), 128);
    EXPECT_EQ (alphaAt (on, 10, 10), 0);
    EXPECT_EQ (alphaAt (on, 90, 90), 0);
}

TEST (Artwork, KnobLayersShareTheImageCentre)
{
    const auto back = load (resource_TessaroKnob_back_png, resource_TessaroKnob_back_pngSize);
    const auto mid = load (resource_TessaroKnob_mid_png, resource_TessaroKnob_mid_pngSize);
    const auto top = load (resource_TessaroKnob_top_png, resource_TessaroKnob_top_pngSize);
    const juce::Point<double> centre{ 82.5, 82.5 };

    expectBox (opaqueBox (back, 128), 7, 7, 158, 158, "skirt");
    expectCentre (alphaCentroid (back, centre, 90), 82.5, 82.5, 0.2, "skirt");
    expectBox (opaqueBox (top, 200), 32, 32, 133, 133, "cap");
    expectCentre (alphaCentroid (top, centre, 52), 82.5, 82.5, 0.2, "cap");
    EXPECT_EQ (alphaAt (top, 82, 82 - 76), 0) << "the cap's shadow fades out within 75 pixels";

    // The fluted body (inside radius 56) is centred; its outline dips to ~46 at the
    // flutes (30, 90, ... degrees) and reaches ~55 between them, where the pointer sits.
    expectCentre (alphaCentroid (mid, centre, 56), 82.5, 82.5, 0.25, "fluted body");
    auto at = [&] (double degrees, double radius)
    {
        const auto a = juce::degreesToRadians (degrees);
        return alphaAt (mid, juce::roundToInt (82.5 + radius * std::sin (a)),
                        juce::roundToInt (82.5 - radius * std::cos (a)));
    };
    for (double flute = 30; flute < 360; flute += 60)
    {
        EXPECT_EQ (at (flute, 50), 0) << flute;
        EXPECT_GT (at (flute, 42), 200) << flute;
        EXPECT_GT (at (flute + 30, 52), 200) << flute + 30;
        EXPECT_EQ (at (flute + 30, 60), flute + 30 == 360 ? 255 : 0) << "only the pointer reaches beyond the body";
    }
    // Pointer: a light line straight up, from the body out to about 6 pixels below the top.
    const auto tip = mid.getPixelAt (82, 9), base = mid.getPixelAt (83, 26);
    EXPECT_GT (brightness (tip), 200);
    EXPECT_GT (brightness (base), 200);
    EXPECT_EQ (alphaAt (mid, 82, 4), 0);
    EXPECT_EQ (alphaAt (mid, 76, 12), 0);
}

TEST (Artwork, SwitchLayersShareThePivot)
{
    const auto base = load (resource_TessaroSwitch_switchBase_png, resource_TessaroSwitch_switchBase_pngSize);
    const auto up = load (resource_TessaroSwitch_switchTop_png, resource_TessaroSwitch_switchTop_pngSize);
    const auto middle = load (resource_TessaroSwitch_switchMid_png, resource_TessaroSwitch_switchMid_pngSize);
    const auto down = load (resource_TessaroSwitch_switchBottom_png, resource_TessaroSwitch_switchBottom_pngSize);
    expectBox (opaqueBox (base, 128), 9, 11, 70, 82, "nut");
    expectCentre (alphaCentroid (base, { 39.5, 46.5 }, 60), 39.5, 46.5, 0.3, "nut");
    expectBox (opaqueBox (middle, 128), 28, 35, 51, 58, "ball end-on");
    expectBox (opaqueBox (up, 128), 28, 7, 51, 53, "lever up");
    expectBox (opaqueBox (down, 128), 28, 40, 51, 86, "lever down");
}

TEST (Artwork, LedGlowsAreCentredAndFadeOut)
{
    const std::pair<const unsigned char*, int> glows[] = {
        { resource_T9VUI_greenLed_png, resource_T9VUI_greenLed_pngSize },
        { resource_T9VUI_yellowLed_png, resource_T9VUI_yellowLed_pngSize },
        { resource_T9VUI_redLed_png, resource_T9VUI_redLed_pngSize }
    };
    for (const auto& [data, size] : glows)
    {
        const auto glow = load (data, size);
        expectCentre (alphaCentroid (glow, { 16, 16 }, 40), 16.0, 16.0, 0.2, "glow");
        EXPECT_GE (alphaAt (glow, 16, 16), 240);
        for (int y = 0; y < 34; ++y)
            for (int x = 0; x < 34; ++x)
            {
                if (juce::Point<double> (x, y).getDistanceFrom ({ 16, 16 }) > 16.5)
                {
                    ASSERT_EQ (alphaAt (glow, x, y), 0) << x << ", " << y;
                }
            }
    }
}

// The plates: plain brushed metal of the stated colour, with holes and lenses exactly
// where the controls and LED glows will be placed.
TEST (Artwork, PanelsHaveTheirHolesAndLensesWhereTheControlsGo)
{
    const auto back = load (resource_T9VUI_back_png, resource_T9VUI_back_pngSize);
    const auto side = load (resource_T9VUI_backSide_png, resource_T9VUI_backSide_pngSize);

    auto meanOf = [] (const juce::Image& image, juce::Rectangle<int> area)
    {
        double r = 0, g = 0, b = 0;
        for (int y = area.getY(); y < area.getBottom(); ++y)
            for (int x = area.getX(); x < area.getRight(); ++x)
            {
                const auto c = image.getPixelAt (x, y);
                r += c.getRed();
                g += c.getGreen();
                b += c.getBlue();
            }
        const auto n = static_cast<double> (area.getWidth() * area.getHeight());
        return std::array<double, 3>{ r / n, g / n, b / n };
    };
    for (auto [image, area] : { std::pair{ &back, juce::Rectangle<int> (150, 100, 60, 16) },
                                std::pair{ &side, juce::Rectangle<int> (30, 541, 240, 11) } })
    {
        const auto m = meanOf (*image, area);
        EXPECT_NEAR (m[0], 133, 6);
        EXPECT_NEAR (m[1], 121, 6);
        EXPECT_NEAR (m[2], 102, 6);
    }

    // Knob holes: dark to radius ~76, metal or scale just outside.
    struct Hole
    {
        const juce::Image* image;
        double x, y, radius;
    };
    const Hole holes[] = { { &back, 98, 223.5, 76.5 },  { &back, 201, 404.5, 76.5 }, { &back, 98.5, 586, 76.5 },
                           { &back, 201, 781.5, 76.5 }, { &side, 150, 223.5, 76.5 }, { &side, 150, 674, 76.5 },
                           { &back, 224, 585.5, 26.5 }, { &back, 71, 782, 26.5 },    { &back, 51, 928.5, 32.5 },
                           { &back, 149, 927.5, 32.5 }, { &back, 244, 927.5, 32.5 } };
    for (const auto& h : holes)
    {
        SCOPED_TRACE (juce::String (h.x) + ", " + juce::String (h.y));
        for (double degrees = 0; degrees < 360; degrees += 45)
        {
            const auto a = juce::degreesToRadians (degrees);
            auto sample = [&] (double r)
            {
                return brightness (h.image->getPixelAt (juce::roundToInt (h.x + r * std::sin (a)),
                                                        juce::roundToInt (h.y - r * std::cos (a))));
            };
            EXPECT_LT (sample (h.radius - 3), 45) << degrees;
            EXPECT_LT (sample (0.5 * h.radius), 45) << degrees;
        }
    }

    // Unlit lenses: coloured, darker than the plate, at the LED glows' places.
    struct LensAt
    {
        const juce::Image* image;
        double x, y;
        char hue;
    };
    const LensAt lenses[] = { { &back, 240.5, 139.5, 'r' }, { &back, 240.5, 170.5, 'y' }, { &back, 240.5, 202.5, 'y' },
                              { &back, 240.5, 234, 'g' },   { &back, 240.5, 265.5, 'g' }, { &back, 60.5, 455, 'g' },
                              { &side, 55.5, 372, 'g' },    { &side, 245, 372, 'g' },     { &side, 150.5, 823, 'g' } };
    for (const auto& l : lenses)
    {
        SCOPED_TRACE (juce::String (l.x) + ", " + juce::String (l.y));
        const auto c = l.image->getPixelAt (juce::roundToInt (l.x + 3), juce::roundToInt (l.y + 3));
        EXPECT_LT (brightness (c), 80);
        if (l.hue == 'g')
        {
            EXPECT_GT (c.getGreen(), c.getRed() + 20);
        }
        else if (l.hue == 'r')
        {
            EXPECT_GT (c.getRed(), c.getGreen() + 30);
        }
        else
        {
            EXPECT_GT (c.getGreen(), c.getBlue() + 30);
        }
        // The lens is about 24 across, in a bezel: plate beside it.
        EXPECT_GT (brightness (l.image->getPixelAt (juce::roundToInt (l.x + 17), juce::roundToInt (l.y))), 90);
    }
}
