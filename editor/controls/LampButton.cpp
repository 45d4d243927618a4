#include "editor/controls/LampButton.h"

#include "editor/controls/ArtworkDrawing.h"

namespace Tessaro9V
{
LampButton::LampButton (const unsigned char* offPng, int offPngSize, const unsigned char* onPng, int onPngSize)
    : juce::Button (juce::String()), off (loadArtwork (offPng, offPngSize)), on (loadArtwork (onPng, onPngSize))
{
    setSize (600, 400);
}

LampButton::~LampButton() = default;

void LampButton::paintButton (juce::Graphics& g, bool, bool)
{
    drawFitted (g, getToggleState() ? on : off, getLocalBounds());
}
} // namespace Tessaro9V
