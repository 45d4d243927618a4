#include "Preview.h"

#include "editor/PanelLayout.h"

#include <cmath>

namespace
{
namespace Layout = Tessaro9V::PanelLayout;

juce::Rectangle<float> boundsOf (const Layout::Child& c)
{
    return { static_cast<float> (c.x), static_cast<float> (c.y), static_cast<float> (c.width),
             static_cast<float> (c.height) };
}

void stretch (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> r)
{
    g.drawImage (image, r, juce::RectanglePlacement::stretchToFit);
}

void fit (juce::Graphics& g, const juce::Image& image, juce::Rectangle<float> r)
{
    g.drawImage (image, r, juce::RectanglePlacement::centred);
}
} // namespace

juce::Image renderPreview (const std::map<juce::String, juce::Image>& images, float scale)
{
    auto get = [&images] (const char* key) { return images.at (key); };
    juce::Image out (juce::Image::RGB, juce::roundToInt (Layout::editorWidth * scale),
                     juce::roundToInt (Layout::editorHeight * scale), true);
    juce::Graphics g (out);
    g.addTransform (juce::AffineTransform::scale (scale));
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.fillAll (juce::Colours::white);
    g.drawImage (get ("T9VUI_back"), { 0.0f, 0.0f, 150.0f, 525.0f });
    g.drawImage (get ("T9VUI_backSide"), { 150.0f, 0.0f, 150.0f, 525.0f });

    // Each kind shown in a different state, so that every image appears somewhere.
    int knobIndex = 0, switchIndex = 0, buttonIndex = 0;
    for (const auto& c : Layout::children)
    {
        const auto r = boundsOf (c);
        switch (c.kind)
        {
            case Layout::Kind::knob:
            {
                const auto p = static_cast<double> (knobIndex++) / 5.0;
                const auto angle = static_cast<float> ((p - 0.5) * 6.6f * juce::MathConstants<double>::pi * 0.25);
                stretch (g, get ("TessaroKnob_back"), r);
                g.saveState();
                g.addTransform (juce::AffineTransform::rotation (angle, r.getCentreX(), r.getCentreY()));
                stretch (g, get ("TessaroKnob_mid"), r);
                g.restoreState();
                stretch (g, get ("TessaroKnob_top"), r);
                break;
            }
            case Layout::Kind::toggleSwitch:
                stretch (g, get ("TessaroSwitch_switchBase"), r);
                stretch (g, get (switchIndex++ == 0 ? "TessaroSwitch_switchTop" : "TessaroSwitch_switchBottom"), r);
                break;
            case Layout::Kind::greenButton:
                fit (g,
                     get (buttonIndex++ % 2 == 0 ? "TessaroGreenButton_greenButtonOn"
                                                 : "TessaroGreenButton_greenButtonOff"),
                     r);
                break;
            case Layout::Kind::yellowButton:
                fit (g,
                     get (buttonIndex++ % 2 == 0 ? "TessaroYellowButton_yellowButtonOn"
                                                 : "TessaroYellowButton_yellowButtonOff"),
                     r);
                break;
            case Layout::Kind::redButton:
                fit (g, get (buttonIndex++ % 2 == 0 ? "TessaroRedButton_redButtonOn" : "TessaroRedButton_redButtonOff"),
                     r);
                break;
            case Layout::Kind::greenLed:
                fit (g, get ("T9VUI_greenLed"), r);
                break;
            case Layout::Kind::yellowLed:
                fit (g, get ("T9VUI_yellowLed"), r);
                break;
            case Layout::Kind::redLed:
                fit (g, get ("T9VUI_redLed"), r);
                break;
            case Layout::Kind::linkButton:
                fit (g, get ("LinkButton_linkOn"), r);
                break;
            case Layout::Kind::label:
                g.setColour (juce::Colours::white);
                g.setFont (c.member == std::string_view ("versionLabel") ? 11.2f : 9.5f);
                g.drawText (c.member == std::string_view ("versionLabel") ? "1.0.2" : "20.0 kHz",
                            r.reduced (5.0f, 1.0f),
                            c.member == std::string_view ("versionLabel") ? juce::Justification::centred
                                                                          : juce::Justification::centredRight);
                break;
            case Layout::Kind::hyperlink:
                break;
        }
    }
    return out;
}
