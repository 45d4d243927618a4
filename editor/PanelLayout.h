#pragma once

#include <array>
#include <string_view>

namespace Tessaro9V::PanelLayout
{
// What sits at a place of the front panel; the LED kinds name the glow image they show.
enum class Kind
{
    label,
    knob,
    toggleSwitch,
    greenButton,
    yellowButton,
    redButton,
    greenLed,
    yellowLed,
    redLed,
    linkButton,
    hyperlink
};

struct Child
{
    std::string_view member;
    Kind kind;
    int x, y, width, height;
};

inline constexpr int editorWidth = 300;
inline constexpr int editorHeight = 525;

// Every child of the panel in creation (and stacking) order, in editor pixels.
inline constexpr std::array<Child, 36> children{ {
    { "highpassFreqLabel", Kind::label, 165, 280, 128, 12 },
    { "lowpassFreqLabel", Kind::label, 165, 56, 128, 12 },
    { "versionLabel", Kind::label, 160, 32, 128, 12 },
    { "inputKnob", Kind::knob, 8, 70, 84, 84 },
    { "outputKnob", Kind::knob, 58, 161, 84, 84 },
    { "hiBoostKnob", Kind::knob, 8, 251, 84, 84 },
    { "lowBoostKnob", Kind::knob, 58, 349, 84, 84 },
    { "lowpassKnob", Kind::knob, 183, 70, 84, 84 },
    { "highpassKnob", Kind::knob, 184, 295, 84, 84 },
    { "eqButton", Kind::greenButton, -1, 435, 60, 60 },
    { "polarityButton", Kind::yellowButton, 47, 435, 60, 60 },
    { "analogButton", Kind::redButton, 95, 435, 60, 60 },
    { "hiFreqSwitch", Kind::toggleSwitch, 92, 268, 40, 47 },
    { "lowFreqSwitch", Kind::toggleSwitch, 15, 366, 40, 47 },
    { "lowpassOnButton", Kind::yellowButton, 230, 201, 60, 60 },
    { "highpassOnButton", Kind::yellowButton, 230, 427, 60, 60 },
    { "lowpassSlopeButton", Kind::greenButton, 167, 201, 60, 60 },
    { "highpassSlopeButton", Kind::greenButton, 167, 427, 60, 60 },
    { "powerLed", Kind::greenLed, 22, 219, 17, 17 },
    { "meterLeds[0]", Kind::greenLed, 112, 125, 17, 17 },
    { "meterLeds[1]", Kind::greenLed, 112, 109, 17, 17 },
    { "meterLeds[2]", Kind::yellowLed, 112, 93, 17, 17 },
    { "meterLeds[3]", Kind::yellowLed, 112, 78, 17, 17 },
    { "meterLeds[4]", Kind::redLed, 112, 62, 17, 17 },
    { "lowpassSlopeLeds[0]", Kind::greenLed, 169, 178, 17, 17 },
    { "lowpassSlopeLeds[1]", Kind::greenLed, 193, 178, 17, 17 },
    { "lowpassSlopeLeds[2]", Kind::greenLed, 216, 178, 17, 17 },
    { "lowpassSlopeLeds[3]", Kind::greenLed, 240, 178, 17, 17 },
    { "lowpassSlopeLeds[4]", Kind::greenLed, 264, 178, 17, 17 },
    { "highpassSlopeLeds[0]", Kind::greenLed, 169, 403, 17, 17 },
    { "highpassSlopeLeds[1]", Kind::greenLed, 193, 403, 17, 17 },
    { "highpassSlopeLeds[2]", Kind::greenLed, 216, 403, 17, 17 },
    { "highpassSlopeLeds[3]", Kind::greenLed, 240, 403, 17, 17 },
    { "highpassSlopeLeds[4]", Kind::greenLed, 264, 403, 17, 17 },
    { "linkButton", Kind::linkButton, 20, 184, 15, 15 },
    { "versionNotice", Kind::hyperlink, 150, 504, 150, 21 },
} };

// The entry of a member, by name, or nullptr for a name that is not on the panel.
constexpr const Child* find (std::string_view member)
{
    for (const auto& c : children)
        if (c.member == member)
            return &c;
    return nullptr;
}
} // namespace Tessaro9V::PanelLayout
