#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tessaro9V
{
// Three-position toggle switch: a mounting nut with the lever thrown down, pointing at the
// viewer or thrown up. A vertical linear slider over 0, 0.5 and 1 in every other respect.
class TessaroSwitch : public juce::Slider
{
public:
    TessaroSwitch();
    ~TessaroSwitch() override;

    void paint (juce::Graphics&) override;

private:
    juce::Image bottom, top, middle, base;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TessaroSwitch)
};
} // namespace Tessaro9V
