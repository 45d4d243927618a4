#include "Artwork.h"

std::vector<ArtworkImage> allArtwork (const ArtKit::Fonts& fonts)
{
    return {
        { "T9VUI", "back", [&fonts] { return drawMainPanel (fonts); } },
        { "T9VUI", "backSide", [&fonts] { return drawFilterPanel (fonts); } },
        { "T9VUI", "greenLed", [] { return drawLedGlow (Lens::green); } },
        { "T9VUI", "yellowLed", [] { return drawLedGlow (Lens::yellow); } },
        { "T9VUI", "redLed", [] { return drawLedGlow (Lens::red); } },
        { "TessaroKnob", "back", [] { return drawKnobBack(); } },
        { "TessaroKnob", "mid", [] { return drawKnobMid(); } },
        { "TessaroKnob", "top", [] { return drawKnobTop(); } },
        { "TessaroSwitch", "switchBase", [] { return drawSwitchBase(); } },
        { "TessaroSwitch", "switchTop", [] { return drawSwitchLever (LeverPosition::top); } },
        { "TessaroSwitch", "switchMid", [] { return drawSwitchLever (LeverPosition::middle); } },
        { "TessaroSwitch", "switchBottom", [] { return drawSwitchLever (LeverPosition::bottom); } },
        { "TessaroGreenButton", "greenButtonOff", [] { return drawPushButton (Lens::green, false); } },
        { "TessaroGreenButton", "greenButtonOn", [] { return drawPushButton (Lens::green, true); } },
        { "TessaroRedButton", "redButtonOff", [] { return drawPushButton (Lens::red, false); } },
        { "TessaroRedButton", "redButtonOn", [] { return drawPushButton (Lens::red, true); } },
        { "TessaroYellowButton", "yellowButtonOff", [] { return drawPushButton (Lens::yellow, false); } },
        { "TessaroYellowButton", "yellowButtonOn", [] { return drawPushButton (Lens::yellow, true); } },
        { "LinkButton", "linkOff", [] { return drawLink (false); } },
        { "LinkButton", "linkOn", [] { return drawLink (true); } },
    };
}
