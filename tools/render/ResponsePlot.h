#pragma once

#include "ResponseMeasurement.h"

#include <juce_graphics/juce_graphics.h>

namespace t9render
{
// The response on a logarithmic 20 Hz .. 20 kHz axis with a dB grid and labels, drawn
// in software (no display needed). The dB range follows the curve, in 6 dB steps.
juce::Image drawResponsePlot (const std::vector<ResponsePoint>& points, int width, int height,
                              const juce::String& title);

// Writes the image as PNG through a temporary sibling file. Returns a one-line error or empty.
juce::String writePng (const juce::Image& image, const juce::File& file);
} // namespace t9render
