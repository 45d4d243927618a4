#pragma once

#include <juce_graphics/juce_graphics.h>

#include <cstdint>

// Small drawing kit of the artwork generator: deterministic noise, per-pixel textures,
// shape and text helpers on top of juce::Graphics.
namespace ArtKit
{
// Hash noise in [-1, 1]: a pure function of seed and lattice point, so textures do not
// depend on the order in which pixels are visited.
float hashNoise (std::uint32_t seed, int x, int y);

// Smooth value noise along one axis: lattice values every `period` units, cosine-blended.
float valueNoise (std::uint32_t seed, int lane, float t, float period);

float clamp01 (float v);
float smoothStep (float edge0, float edge1, float v);

// A pixel position (pixel indices, centres at integers) in continuous drawing coordinates.
inline juce::Point<float> px (float x, float y) { return { x + 0.5f, y + 0.5f }; }

// Fills a new image with fn (x, y) -> Colour evaluated at every pixel (non-premultiplied).
template <typename Fn>
juce::Image texture (juce::Image::PixelFormat format, int width, int height, Fn fn)
{
    juce::Image image (format, width, height, true);
    juce::Image::BitmapData data (image, juce::Image::BitmapData::writeOnly);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            data.setPixelColour (x, y, fn (x, y));
    return image;
}

// Multiplies every pixel's alpha by fn (x, y) in 0..1.
template <typename Fn>
void scaleAlpha (juce::Image& image, Fn fn)
{
    juce::Image::BitmapData data (image, juce::Image::BitmapData::readWrite);
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            auto c = data.getPixelColour (x, y);
            data.setPixelColour (x, y, c.withAlpha (c.getFloatAlpha() * clamp01 (fn (x, y))));
        }
}

// Fills path with an image texture aligned to the canvas origin (anti-aliased edges).
void fillWithTexture (juce::Graphics& g, const juce::Path& path, const juce::Image& tex);

juce::Path circle (juce::Point<float> centre, float radius);
juce::Path ring (juce::Point<float> centre, float radius, float thickness);

// Colour helpers.
juce::Colour rgb (int r, int g, int b);
juce::Colour shade (juce::Colour c, float delta); // adds delta (0..255 units) to r, g and b

// The fonts of the legends, loaded from font files so that output never depends on the
// fonts a machine happens to have configured.
struct Fonts
{
    juce::Font sans, sansBold, serif, serifBold;
    bool load (const juce::File& directory);
};

// The outline of a line of text, horizontally scaled by `widthScale`, sheared by `slant`
// (x offset per unit of height, positive leans right), with the centre of its ink box at
// `centre`.
juce::Path textPath (const juce::Font& font, const juce::String& text, float height, juce::Point<float> centre,
                     float widthScale = 1.0f, float slant = 0.0f);

// Same, with the ink box's left or right edge at x instead of its centre.
enum class Anchor
{
    left,
    centre,
    right
};
juce::Path textPathAt (const juce::Font& font, const juce::String& text, float height, float x, float centreY,
                       Anchor anchor, float widthScale = 1.0f, float slant = 0.0f);
} // namespace ArtKit
