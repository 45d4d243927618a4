#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tessaro9V
{
// Rotary knob drawn from three stacked images: a fixed skirt, the fluted body with its
// pointer (rotated with the value) and a fixed cap. Behaves as the framework's rotary
// slider with vertical drag in every other respect.
class TessaroKnob : public juce::Slider
{
public:
    TessaroKnob();
    ~TessaroKnob() override;

    void paint (juce::Graphics&) override;

    // Rotation of the body in radians, clockwise on screen from straight up, for a value
    // within minimum..maximum: the sweep is 297 degrees, centred on the middle of the range.
    static float pointerAngle (double value, double minimum, double maximum);

private:
    juce::Image back, mid, top;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TessaroKnob)
};
} // namespace Tessaro9V
