#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace Tessaro9V
{
// A button drawn as one of two images, "on" while its toggle state is on. Hover and press
// have no look of their own, and a click never flips the state: the owner sets it from the
// parameter the button stands for, so the lamp always shows that parameter.
class LampButton : public juce::Button
{
public:
    LampButton (const unsigned char* offPng, int offPngSize, const unsigned char* onPng, int onPngSize);
    ~LampButton() override;

protected:
    void paintButton (juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

private:
    juce::Image off, on;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (LampButton)
};
} // namespace Tessaro9V
