#include "editor/controls/ArtworkDrawing.h"

namespace Tessaro9V
{
juce::Image loadArtwork (const unsigned char* pngData, int pngSize)
{
    return juce::ImageCache::getFromMemory (pngData, pngSize);
}

void drawStretched (juce::Graphics& g, const juce::Image& image, int width, int height)
{
    g.drawImage (image, 0, 0, width, height, 0, 0, image.getWidth(), image.getHeight());
}

void drawFitted (juce::Graphics& g, const juce::Image& image, juce::Rectangle<int> bounds)
{
    g.drawImage (image, bounds.toFloat(), juce::RectanglePlacement::centred);
}
} // namespace Tessaro9V
