#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tessaro9V
{
// An embedded PNG, decoded once per process and shared through the framework's image
// cache. An undecodable resource gives an empty image, which draws nothing.
juce::Image loadArtwork (const unsigned char* pngData, int pngSize);

// The whole image scaled independently in x and y onto (0, 0, width, height).
void drawStretched (juce::Graphics& g, const juce::Image& image, int width, int height);

// The whole image scaled uniformly to just fit inside bounds, centred in them.
void drawFitted (juce::Graphics& g, const juce::Image& image, juce::Rectangle<int> bounds);
} // namespace Tessaro9V
