#include "editor/controls/TessaroSwitch.h"

#include "editor/controls/ArtworkDrawing.h"
#include "resources/EmbeddedArtwork.h"

namespace Tessaro9V
{
TessaroSwitch::TessaroSwitch()
    : juce::Slider (juce::Slider::LinearVertical, juce::Slider::NoTextBox),
      bottom (loadArtwork (resource_TessaroSwitch_switchBottom_png, resource_TessaroSwitch_switchBottom_pngSize)),
      top (loadArtwork (resource_TessaroSwitch_switchTop_png, resource_TessaroSwitch_switchTop_pngSize)),
      middle (loadArtwork (resource_TessaroSwitch_switchMid_png, resource_TessaroSwitch_switchMid_pngSize)),
      base (loadArtwork (resource_TessaroSwitch_switchBase_png, resource_TessaroSwitch_switchBase_pngSize))
{
    setRange (0.0, 1.0, 0.5);
    setSize (200, 200);
}

TessaroSwitch::~TessaroSwitch() = default;

void TessaroSwitch::paint (juce::Graphics& g)
{
    // Fixed thirds of 0..1, whatever the range: 1/3 and 2/3 themselves show the middle.
    const auto v = getValue();
    const auto& lever = v < 1.0 / 3.0 ? bottom : v > 2.0 / 3.0 ? top : middle;
    drawStretched (g, base, getWidth(), getHeight());
    drawStretched (g, lever, getWidth(), getHeight());
}
} // namespace Tessaro9V
