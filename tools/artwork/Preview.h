#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>

// Composite of the editor: both plates at half size and every control's images at the
// panel's bounds, drawn the way the controls draw them. `images` is keyed "Owner_name".
juce::Image renderPreview (const std::map<juce::String, juce::Image>& images, float scale);
