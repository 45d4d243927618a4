// The panel's custom controls: construction, how value and toggle state select and place
// the images, and that the buttons never light themselves.
#include "editor/controls/TessaroButtons.h"
#include "editor/controls/TessaroKnob.h"
#include "editor/controls/TessaroSwitch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace juce
{
// Runs posted messages (Linux message loop); used to deliver an asynchronous click.
bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
} // namespace juce

namespace
{
using namespace Tessaro9V;

juce::Image snapshot (juce::Component& c) { return c.createComponentSnapshot (c.getLocalBounds(), true, 1.0f); }

float brightness (juce::Colour c) { return (c.getRed() + c.getGreen() + c.getBlue()) / 3.0f; }

// Where the knob's pointer is, in degrees clockwise from straight up: the mean direction
// of the light pixels in the ring between cap and skirt edge (radius 58..74 of 166).
double pointerDegrees (const juce::Image& image)
{
    const auto cx = image.getWidth() * 0.5, cy = image.getHeight() * 0.5;
    double sx = 0, sy = 0;
    int count = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
        {
            const auto dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const auto r = std::hypot (dx, dy);
            if (r < 58 || r > 74 || brightness (image.getPixelAt (x, y)) < 170)
                continue;
            sx += dx / r;
            sy += -dy / r;
            ++count;
        }
    EXPECT_GT (count, 25) << "pointer not found";
    return juce::radiansToDegrees (std::atan2 (sx, sy));
}
} // namespace

TEST (Controls, ConstructWithTheirStylesRangesAndSizes)
{
    TessaroKnob knob;
    EXPECT_EQ (knob.getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ (knob.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (knob.getRange(), juce::Range<double> (0.0, 1.0));
    EXPECT_EQ (knob.getInterval(), 0.0);
    EXPECT_EQ (knob.getBounds(), juce::Rectangle<int> (0, 0, 600, 400));

    TessaroSwitch toggle;
    EXPECT_EQ (toggle.getSliderStyle(), juce::Slider::LinearVertical);
    EXPECT_EQ (toggle.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (toggle.getRange(), juce::Range<double> (0.0, 1.0));
    EXPECT_EQ (toggle.getInterval(), 0.5);
    EXPECT_EQ (toggle.getBounds(), juce::Rectangle<int> (0, 0, 200, 200));
    toggle.setValue (0.3);
    EXPECT_EQ (toggle.getValue(), 0.5) << "snaps to one of three positions";

    TessaroGreenButton green;
    TessaroRedButton red;
    TessaroYellowButton yellow;
    LinkButton link;
    for (juce::Button* b : { static_cast<juce::Button*> (&green), static_cast<juce::Button*> (&red),
                             static_cast<juce::Button*> (&yellow), static_cast<juce::Button*> (&link) })
    {
        EXPECT_TRUE (b->getName().isEmpty());
        EXPECT_FALSE (b->getClickingTogglesState());
        EXPECT_FALSE (b->getToggleState());
        EXPECT_EQ (b->getBounds(), juce::Rectangle<int> (0, 0, 600, 400));
    }
}

TEST (Controls, KnobAngleDependsOnlyOnThePositionInTheRange)
{
    struct Case
    {
        double value, minimum, maximum, degrees;
    };
    const Case cases[] = { { 0, 0, 1, -148.5 },    { 0.5, 0, 1, 0 },    { 1, 0, 1, 148.5 },
                           { 0.25, 0, 1, -74.25 }, { 0, 0, 4, -148.5 }, { 1, 0, 4, -74.25 },
                           { 2, 0, 4, 0 },         { 4, 0, 4, 148.5 },  { -24, -24, 24, -148.5 } };
    for (const auto& c : cases)
        EXPECT_NEAR (juce::radiansToDegrees (TessaroKnob::pointerAngle (c.value, c.minimum, c.maximum)), c.degrees,
                     1e-4)
            << c.value << " in " << c.minimum << ".." << c.maximum;
}

TEST (Controls, KnobDrawsThePointerWhereTheValueSays)
{
    struct Case
    {
        double minimum, maximum, interval, value, degrees;
    };
    const Case cases[] = { { 0, 1, 0, 0, -148.5 },
                           { 0, 1, 0, 0.5, 0 },
                           { 0, 1, 0, 1, 148.5 },
                           { 0, 4, 1, 1, -74.25 },
                           { 0, 4, 1, 4, 148.5 } };
    for (const auto& c : cases)
    {
        TessaroKnob knob;
        knob.setBounds (0, 0, 166, 166);
        knob.setRange (c.minimum, c.maximum, c.interval);
        knob.setValue (c.value, juce::dontSendNotification);
        EXPECT_NEAR (pointerDegrees (snapshot (knob)), c.degrees, 2.5)
            << c.value << " in " << c.minimum << ".." << c.maximum;
    }
}

TEST (Controls, SwitchShowsTheLeverByFixedThirds)
{
    // Sampled at the ball of the raised or lowered lever, beyond the nut's top and bottom.
    enum Lever
    {
        down,
        middle,
        up
    };
    auto leverShown = [] (TessaroSwitch& s)
    {
        const auto image = snapshot (s);
        const auto high = image.getPixelAt (40, 8).getAlpha() > 128;
        const auto low = image.getPixelAt (40, 85).getAlpha() > 128;
        EXPECT_FALSE (high && low);
        return high ? up : low ? down : middle;
    };
    struct Case
    {
        double value;
        Lever lever;
    };
    const Case cases[] = {
        { 0, down },  { 0.3, down }, { 0.3333333333333333, middle }, { 0.5, middle }, { 0.6666666666666666, middle },
        { 0.67, up }, { 1, up }
    };
    for (const auto& c : cases)
    {
        TessaroSwitch s;
        s.setBounds (0, 0, 80, 94);
        s.setRange (0.0, 1.0, 0.0); // continuous, to reach the thresholds themselves
        s.setValue (c.value, juce::dontSendNotification);
        EXPECT_EQ (leverShown (s), c.lever) << c.value;
    }
    // With its own steps the three values show the three levers.
    TessaroSwitch s;
    s.setBounds (0, 0, 80, 94);
    for (const auto& [value, lever] : { std::pair{ 0.0, down }, std::pair{ 0.5, middle }, std::pair{ 1.0, up } })
    {
        s.setValue (value, juce::dontSendNotification);
        EXPECT_EQ (leverShown (s), lever) << value;
    }
}

namespace
{
// Exposes the painting with explicit hover and press flags.
struct ProbeButton : TessaroGreenButton
{
    juce::Image paintWith (bool over, bool down)
    {
        juce::Image image (juce::Image::ARGB, getWidth(), getHeight(), true);
        juce::Graphics g (image);
        paintButton (g, over, down);
        return image;
    }
};

struct ClickCounter : juce::Button::Listener
{
    int clicks = 0;
    void buttonClicked (juce::Button*) override { ++clicks; }
};

bool sameImage (const juce::Image& a, const juce::Image& b)
{
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}

// Lens centre of a 120 x 120 button image drawn 1:1.
juce::Colour lensOf (const juce::Image& image) { return image.getPixelAt (53, 57); }
} // namespace

TEST (Controls, ButtonLampFollowsTheToggleStateOnly)
{
    ProbeButton button;
    button.setBounds (0, 0, 120, 120);
    const auto unlit = button.paintWith (false, false);
    EXPECT_TRUE (sameImage (unlit, button.paintWith (true, false)));
    EXPECT_TRUE (sameImage (unlit, button.paintWith (true, true)));

    // A click reaches the listener but does not light the lamp by itself.
    ClickCounter counter;
    button.addListener (&counter);
    button.triggerClick();
    while (juce::dispatchNextMessageOnSystemQueue (true))
    {
    }
    EXPECT_EQ (counter.clicks, 1);
    EXPECT_FALSE (button.getToggleState());
    EXPECT_TRUE (sameImage (unlit, snapshot (button)));

    button.setToggleState (true, juce::dontSendNotification);
    const auto lit = button.paintWith (false, false);
    EXPECT_GT (lensOf (lit).getGreen(), lensOf (unlit).getGreen() + 100);
    EXPECT_TRUE (sameImage (lit, button.paintWith (true, true)));
    EXPECT_TRUE (sameImage (lit, snapshot (button)));
    button.removeListener (&counter);
}

TEST (Controls, ButtonsKeepTheirProportionsWhileKnobsAndSwitchesStretch)
{
    // A button in bounds twice as wide as tall: a 60 x 60 image centred at x 30..90.
    TessaroYellowButton button;
    button.setBounds (0, 0, 120, 60);
    button.setToggleState (true, juce::dontSendNotification);
    const auto b = snapshot (button);
    EXPECT_EQ (b.getPixelAt (20, 28).getAlpha(), 0) << "stretched, the bezel would cover this";
    EXPECT_GT (brightness (b.getPixelAt (30 + 27, 28)), 150) << "the lit lens, at its fitted place";
    int left = 120, right = -1, top = 60, bottom = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            if (b.getPixelAt (x, y).getAlpha() > 230)
            {
                left = std::min (left, x);
                right = std::max (right, x);
                top = std::min (top, y);
                bottom = std::max (bottom, y);
            }
    EXPECT_NEAR (right - left, bottom - top, 1.5) << "round, not oval";
    EXPECT_NEAR ((left + right) * 0.5, 30 + 26.5, 1.0);

    // A knob in the same shape of bounds: the skirt spans the full width.
    TessaroKnob knob;
    knob.setBounds (0, 0, 166, 83);
    const auto k = snapshot (knob);
    EXPECT_GT (k.getPixelAt (10, 41).getAlpha(), 200);
    EXPECT_GT (k.getPixelAt (155, 41).getAlpha(), 200);
    EXPECT_EQ (k.getPixelAt (82, 1).getAlpha(), 0);

    TessaroSwitch toggle;
    toggle.setBounds (0, 0, 160, 94);
    const auto s = snapshot (toggle);
    EXPECT_GT (s.getPixelAt (22, 47).getAlpha(), 200) << "the nut stretched to x 18..141";
    EXPECT_GT (s.getPixelAt (138, 47).getAlpha(), 200);
}
