#include "editor/controls/TessaroKnob.h"

#include "editor/controls/ArtworkDrawing.h"
#include "resources/EmbeddedArtwork.h"

namespace Tessaro9V
{
TessaroKnob::TessaroKnob()
    : juce::Slider (juce::Slider::RotaryVerticalDrag, juce::Slider::NoTextBox),
      back (loadArtwork (resource_TessaroKnob_back_png, resource_TessaroKnob_back_pngSize)),
      mid (loadArtwork (resource_TessaroKnob_mid_png, resource_TessaroKnob_mid_pngSize)),
      top (loadArtwork (resource_TessaroKnob_top_png, resource_TessaroKnob_top_pngSize))
{
    setRange (0.0, 1.0, 0.0);
    setSize (600, 400);
}

TessaroKnob::~TessaroKnob() = default;

float TessaroKnob::pointerAngle (double value, double minimum, double maximum)
{
    const auto span = maximum - minimum;
    const auto position = span > 0.0 ? (value - minimum) / span : 0.0;
    // 6.6f on purpose: the sweep is defined by the single-precision constant.
    return static_cast<float> ((position - 0.5) * 6.6f * juce::MathConstants<double>::pi * 0.25);
}

void TessaroKnob::paint (juce::Graphics& g)
{
    const auto w = getWidth(), h = getHeight();
    drawStretched (g, back, w, h);
    {
        juce::Graphics::ScopedSaveState state (g);
        g.addTransform (juce::AffineTransform::rotation (pointerAngle (getValue(), getMinimum(), getMaximum()),
                                                         static_cast<float> (w) * 0.5f, static_cast<float> (h) * 0.5f));
        drawStretched (g, mid, w, h);
    }
    drawStretched (g, top, w, h);
}
} // namespace Tessaro9V
