#pragma once

#include "ArtKit.h"

#include <functional>
#include <vector>

// One image of the plug-in's artwork: its owner class, its name and how to draw it.
struct ArtworkImage
{
    juce::String owner, name;
    std::function<juce::Image()> draw;
};

// All twenty images, in the order they are embedded.
std::vector<ArtworkImage> allArtwork (const ArtKit::Fonts& fonts);

// Drawers of the individual images (Parts.cpp and Panels.cpp).
juce::Image drawKnobBack();
juce::Image drawKnobMid();
juce::Image drawKnobTop();
juce::Image drawSwitchBase();
enum class LeverPosition
{
    bottom,
    middle,
    top
};
juce::Image drawSwitchLever (LeverPosition position);
enum class Lens
{
    green,
    red,
    yellow
};
juce::Image drawPushButton (Lens lens, bool lit);
juce::Image drawLink (bool on);
juce::Image drawLedGlow (Lens colour);
juce::Image drawMainPanel (const ArtKit::Fonts& fonts);
juce::Image drawFilterPanel (const ArtKit::Fonts& fonts);
