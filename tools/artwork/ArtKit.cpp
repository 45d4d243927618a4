#include "ArtKit.h"

#include <cmath>

namespace ArtKit
{
namespace
{
std::uint32_t mix (std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352du;
    h ^= h >> 15;
    h *= 0x846ca68bu;
    h ^= h >> 16;
    return h;
}
} // namespace

float hashNoise (std::uint32_t seed, int x, int y)
{
    auto h = mix (
        seed ^ mix (static_cast<std::uint32_t> (x) * 0x9e3779b9u ^ mix (static_cast<std::uint32_t> (y) + 0x632be5abu)));
    return static_cast<float> (h >> 8) / 8388607.5f - 1.0f;
}

float valueNoise (std::uint32_t seed, int lane, float t, float period)
{
    const auto u = t / period;
    const auto i = static_cast<int> (std::floor (u));
    const auto f = u - static_cast<float> (i);
    const auto w = 0.5f - 0.5f * std::cos (f * juce::MathConstants<float>::pi);
    return hashNoise (seed, lane, i) * (1.0f - w) + hashNoise (seed, lane, i + 1) * w;
}

float clamp01 (float v) { return juce::jlimit (0.0f, 1.0f, v); }

float smoothStep (float edge0, float edge1, float v)
{
    const auto t = clamp01 ((v - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

void fillWithTexture (juce::Graphics& g, const juce::Path& path, const juce::Image& tex)
{
    g.saveState();
    g.setFillType (juce::FillType (tex, juce::AffineTransform()));
    g.fillPath (path);
    g.restoreState();
}

juce::Path circle (juce::Point<float> centre, float radius)
{
    juce::Path p;
    p.addEllipse (centre.x - radius, centre.y - radius, 2.0f * radius, 2.0f * radius);
    return p;
}

juce::Path ring (juce::Point<float> centre, float radius, float thickness)
{
    auto p = circle (centre, radius + 0.5f * thickness);
    p.addPath (circle (centre, radius - 0.5f * thickness));
    p.setUsingNonZeroWinding (false);
    return p;
}

juce::Colour rgb (int r, int g, int b)
{
    return juce::Colour (static_cast<juce::uint8> (r), static_cast<juce::uint8> (g), static_cast<juce::uint8> (b));
}

juce::Colour shade (juce::Colour c, float delta)
{
    auto channel = [delta] (juce::uint8 v)
    { return static_cast<juce::uint8> (juce::jlimit (0, 255, juce::roundToInt (static_cast<float> (v) + delta))); };
    return juce::Colour (channel (c.getRed()), channel (c.getGreen()), channel (c.getBlue()), c.getAlpha());
}

bool Fonts::load (const juce::File& directory)
{
    auto typeface = [&directory] (const char* name) -> juce::Typeface::Ptr
    {
        juce::MemoryBlock data;
        if (!directory.getChildFile (name).loadFileAsData (data) || data.getSize() == 0)
            return {};
        return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
    };
    auto regular = typeface ("DejaVuSans.ttf");
    auto bold = typeface ("DejaVuSans-Bold.ttf");
    auto serifRegular = typeface ("DejaVuSerif.ttf");
    auto serifBoldFace = typeface ("DejaVuSerif-Bold.ttf");
    if (regular == nullptr || bold == nullptr || serifRegular == nullptr || serifBoldFace == nullptr)
        return false;
    sans = juce::Font (regular);
    sansBold = juce::Font (bold);
    serif = juce::Font (serifRegular);
    serifBold = juce::Font (serifBoldFace);
    return true;
}

juce::Path textPathAt (const juce::Font& font, const juce::String& text, float height, float x, float centreY,
                       Anchor anchor, float widthScale, float slant)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (font.withHeight (height), text, 0.0f, 0.0f);
    juce::Path path;
    glyphs.createPath (path);
    path.applyTransform (
        juce::AffineTransform::scale (widthScale, 1.0f).followedBy (juce::AffineTransform::shear (-slant, 0.0f)));
    const auto box = path.getBounds();
    const auto left = anchor == Anchor::left    ? x
                      : anchor == Anchor::right ? x - box.getWidth()
                                                : x - 0.5f * box.getWidth();
    path.applyTransform (juce::AffineTransform::translation (left - box.getX(), centreY - box.getCentreY()));
    return path;
}

juce::Path textPath (const juce::Font& font, const juce::String& text, float height, juce::Point<float> centre,
                     float widthScale, float slant)
{
    return textPathAt (font, text, height, centre.x, centre.y, Anchor::centre, widthScale, slant);
}
} // namespace ArtKit
