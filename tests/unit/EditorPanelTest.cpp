// The front panel driven in-process: user actions to parameters, and the refresh back.
#include "editor/PluginEditor.h"
#include "editor/T9VUI.h"
#include "editor/controls/TessaroButtons.h"
#include "editor/controls/TessaroKnob.h"
#include "editor/controls/TessaroSwitch.h"
#include "processor/RelaxedAccess.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Tessaro9V;

namespace
{
struct PanelFixture : ::testing::Test
{
    void SetUp() override
    {
        editor.reset (processor.createEditor());
        panel = static_cast<_9v210AudioProcessorEditor*> (editor.get())->getPanel();
        ASSERT_NE (panel, nullptr);
    }

    void move (juce::Slider& s, double v) { s.setValue (v, juce::sendNotificationSync); }
    void click (juce::Button& b) { panel->buttonClicked (&b); }
    float param (int i) { return processor.getParameter (i); }
    void refresh() { panel->timerCallback (T9VUI::refreshTimer); }

    T9v210AudioProcessor processor;
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    T9VUI* panel = nullptr;
};
} // namespace

TEST_F (PanelFixture, ShellAndPanelAreFixedSizeAndPanelOwnsItsChildren)
{
    EXPECT_EQ (editor->getWidth(), 300);
    EXPECT_EQ (editor->getHeight(), 525);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (0, 0, 300, 525));
    EXPECT_EQ (editor->getIndexOfChildComponent (panel), 0);
    EXPECT_EQ (panel->getNumChildComponents(), 36);
    EXPECT_EQ (panel->getChildComponent (0), panel->highpassFreqLabel.get());
    EXPECT_EQ (panel->getChildComponent (35), panel->versionNotice.get());
    EXPECT_EQ (panel->inputKnob->getBounds(), juce::Rectangle<int> (8, 70, 84, 84));
    EXPECT_EQ (panel->eqButton->getBounds(), juce::Rectangle<int> (-1, 435, 60, 60));
    EXPECT_EQ (panel->meterLeds[4]->getBounds(), juce::Rectangle<int> (112, 62, 17, 17));
    EXPECT_EQ (panel->highpassSlopeLeds[2]->getBounds(), juce::Rectangle<int> (216, 403, 17, 17));
    EXPECT_EQ (panel->versionLabel->getText(), "1.0.2");
    EXPECT_FALSE (panel->versionNotice->isVisible());
    EXPECT_EQ (panel->versionNotice->getButtonText(), "New version available");
}

TEST_F (PanelFixture, LinkCouplesTheGainsBothWaysOnlyWhenOn)
{
    move (*panel->inputKnob, 0.625); // +6 dB
    EXPECT_FLOAT_EQ (param (kInputGain), 0.625f);
    EXPECT_FLOAT_EQ (param (kOutputLevel), 0.375f);
    move (*panel->outputKnob, 0.7);
    EXPECT_NEAR (param (kInputGain), 0.3f, 1e-6);

    click (*panel->linkButton);
    EXPECT_EQ (param (kLink), 0.0f);
    refresh(); // the cached Link state follows at the next refresh
    move (*panel->inputKnob, 0.9);
    EXPECT_NEAR (param (kOutputLevel), 0.7f, 1e-6);
}

TEST_F (PanelFixture, BoostTaperAndEqSwitchOn)
{
    const std::pair<double, double> taper[] = { { 0.0, 0.0 }, { 0.5, 0.125 }, { 0.6, 0.15 }, { 0.8, 0.575 }, { 1.0, 1.0 } };
    for (auto [v, expected] : taper)
        EXPECT_NEAR (T9VUI::boostTaper (v), expected, 1e-12) << v;

    processor.setParameter (kEqOn, 0.0f);
    refresh();
    move (*panel->hiBoostKnob, 0.8);
    EXPECT_FLOAT_EQ (param (kHiBoost), 0.575f);
    EXPECT_EQ (param (kEqOn), 1.0f);

    // While EQ is on, only the control's own parameter is written.
    refresh();
    processor.setParameter (kEqOn, 0.0f); // changed behind the editor's back
    move (*panel->lowBoostKnob, 0.5);
    EXPECT_FLOAT_EQ (param (kLowBoost), 0.125f);
    EXPECT_EQ (param (kEqOn), 0.0f);

    refresh();
    move (*panel->hiFreqSwitch, 1.0);
    EXPECT_EQ (param (kHiFrequency), 1.0f);
    EXPECT_EQ (param (kEqOn), 1.0f);
}

TEST_F (PanelFixture, FilterKnobsSwitchTheirFilterOn)
{
    move (*panel->lowpassKnob, 0.4);
    EXPECT_FLOAT_EQ (param (kLowpassFrequency), 0.4f);
    EXPECT_EQ (param (kLowFilterOn), 1.0f);
    move (*panel->highpassKnob, 0.2);
    EXPECT_FLOAT_EQ (param (kHighpassFrequency), 0.2f);
    EXPECT_EQ (param (kHighFilterOn), 1.0f);
}

TEST_F (PanelFixture, SlopeButtonsWalkFiveStepsAndWrap)
{
    processor.setParameter (kLowpassSlope, 0.0f);
    const float expected[] = { 0.25f, 0.5f, 0.75f, 1.0f, 0.0f };
    for (int i = 0; i < 5; ++i)
    {
        click (*panel->lowpassSlopeButton);
        EXPECT_EQ (param (kLowpassSlope), expected[i]) << i;
        EXPECT_EQ (param (kLowFilterOn), 1.0f);
    }
    click (*panel->highpassSlopeButton); // from the new instance's step 1
    EXPECT_EQ (param (kHighpassSlope), 0.5f);
    EXPECT_EQ (param (kHighFilterOn), 1.0f);
}

TEST_F (PanelFixture, TogglesFlipTheirParameterAndLedsIgnoreClicks)
{
    const std::pair<juce::Button*, int> toggles[] = {
        { panel->eqButton.get(), kEqOn },           { panel->polarityButton.get(), kPolarity },
        { panel->analogButton.get(), kAnalog },     { panel->lowpassOnButton.get(), kLowFilterOn },
        { panel->highpassOnButton.get(), kHighFilterOn }, { panel->linkButton.get(), kLink },
    };
    for (auto [button, index] : toggles)
    {
        const float before = param (index);
        click (*button);
        EXPECT_EQ (param (index), 1.0f - before) << index;
        click (*button);
        EXPECT_EQ (param (index), before) << index;
    }

    juce::MemoryBlock before, after;
    processor.getStateInformation (before);
    click (*panel->powerLed);
    for (auto* leds : { &panel->meterLeds, &panel->lowpassSlopeLeds, &panel->highpassSlopeLeds })
        for (auto& led : *leds)
            click (*led);
    processor.getStateInformation (after);
    EXPECT_EQ (before, after);
}

TEST_F (PanelFixture, DoubleClickResetValues)
{
    const std::pair<juce::Slider*, double> resets[] = {
        { panel->inputKnob.get(), 0.5 },   { panel->outputKnob.get(), 0.5 },  { panel->hiBoostKnob.get(), 0.0 },
        { panel->lowBoostKnob.get(), 0.0 }, { panel->lowpassKnob.get(), 1.0 }, { panel->highpassKnob.get(), 0.0 },
    };
    for (auto [knob, value] : resets)
    {
        EXPECT_TRUE (knob->isDoubleClickReturnEnabled());
        EXPECT_EQ (knob->getDoubleClickReturnValue(), value);
    }
}

TEST_F (PanelFixture, RefreshMapsStoredValuesToControls)
{
    auto& s = processor.settings;
    relaxedStore (s.inputGain, 1.0);
    relaxedStore (s.outputLevel, 0.0);
    relaxedStore (s.hiBoost, 0.575);
    relaxedStore (s.lowBoost, 0.1);
    relaxedStore (s.hiFrequency, 1u);
    relaxedStore (s.lowFrequency, 2u);
    relaxedStore (s.lowpassFrequency, 0.5);
    relaxedStore (s.highpassFrequency, 0.0);
    relaxedStore (s.lowpassSlope, 3u);
    relaxedStore (s.highpassSlope, 5u);
    relaxedStore (s.polarity, true);
    relaxedStore (s.lowFilterOn, true);
    refresh();

    EXPECT_DOUBLE_EQ (panel->inputKnob->getValue(), 0.5);
    EXPECT_DOUBLE_EQ (panel->outputKnob->getValue(), 0.0); // -76/48, clamped
    EXPECT_NEAR (panel->hiBoostKnob->getValue(), 0.8, 1e-12);
    EXPECT_NEAR (panel->lowBoostKnob->getValue(), 0.4, 1e-12);
    EXPECT_EQ (panel->hiFreqSwitch->getValue(), 0.5);
    EXPECT_EQ (panel->lowFreqSwitch->getValue(), 1.0);
    EXPECT_EQ (panel->lowpassFreqLabel->getText(), "632 Hz");
    EXPECT_EQ (panel->highpassFreqLabel->getText(), "20 Hz");
    for (int i = 0; i < 5; ++i)
    {
        EXPECT_EQ (panel->lowpassSlopeLeds[(size_t) i]->getAlpha(), i == 3 ? 1.0f : 0.0f);
        EXPECT_EQ (panel->highpassSlopeLeds[(size_t) i]->getAlpha(), 0.0f); // step 5 lights none
    }
    EXPECT_TRUE (panel->polarityButton->getToggleState());
    EXPECT_TRUE (panel->lowpassOnButton->getToggleState());
    EXPECT_FALSE (panel->highpassOnButton->getToggleState());
    EXPECT_TRUE (panel->linkButton->getToggleState());

    // An out-of-range frequency step leaves the switch where it was.
    relaxedStore (s.hiFrequency, 3u);
    refresh();
    EXPECT_EQ (panel->hiFreqSwitch->getValue(), 0.5);

    // The refresh never writes back: nothing changed the stored values.
    EXPECT_EQ (relaxedLoad (s.hiFrequency), 3u);
    EXPECT_EQ (relaxedLoad (s.outputLevel), 0.0);

    // Every refreshed boost position fed back through the taper gives the stored value.
    for (double b : { 0.1, 0.15, 0.575, 1.0 })
        EXPECT_NEAR (T9VUI::boostTaper (T9VUI::boostPosition (b)), b, 1e-12);
}

TEST_F (PanelFixture, LevelLedsLightAtInclusiveThresholds)
{
    const auto lit = [this] {
        int n = 0;
        for (auto& led : panel->meterLeds)
            n += led->getAlpha() > 0.5f ? 1 : 0;
        return n;
    };
    const auto show = [this] (float level) {
        processor.meterLevel.store (level);
        panel->timerCallback (T9VUI::levelTimer);
    };
    show (1.0f);
    EXPECT_EQ (lit(), 5);
    show (0.1f);
    EXPECT_EQ (lit(), 2);
    show (0.0f);
    EXPECT_EQ (lit(), 0);
    show (std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (lit(), 0);

    // A level whose single-precision decibels are exactly -34 lights the bottom LED.
    float x = std::pow (10.0f, -34.0f / 20.0f);
    for (int i = 0; i < 64 && 20.0f * std::log10 (x) != -34.0f; ++i)
        x = std::nextafter (x, 20.0f * std::log10 (x) < -34.0f ? 1.0f : 0.0f);
    ASSERT_EQ (20.0f * std::log10 (x), -34.0f);
    show (x);
    EXPECT_EQ (lit(), 1);
    show (std::nextafter (x, 0.0f));
    EXPECT_EQ (lit(), 20.0f * std::log10 (std::nextafter (x, 0.0f)) >= -34.0f ? 1 : 0);
}

TEST_F (PanelFixture, TimersRunOnlyWhileVisible)
{
    EXPECT_TRUE (panel->isTimerRunning (T9VUI::refreshTimer));
    EXPECT_TRUE (panel->isTimerRunning (T9VUI::levelTimer));
    EXPECT_TRUE (panel->isTimerRunning (T9VUI::versionTimer));
    panel->setVisible (false);
    EXPECT_FALSE (panel->isTimerRunning (T9VUI::refreshTimer));
    EXPECT_FALSE (panel->isTimerRunning (T9VUI::levelTimer));
    panel->setVisible (true);
    EXPECT_TRUE (panel->isTimerRunning (T9VUI::refreshTimer));
    EXPECT_EQ (panel->getTimerInterval (T9VUI::refreshTimer), 80);
    EXPECT_EQ (panel->getTimerInterval (T9VUI::levelTimer), 50);
}

TEST (PanelText, FormatFreq)
{
    const std::pair<double, const char*> cases[] = {
        { 20.0, "20 Hz" },     { 999.9, "999 Hz" },     { 1000.0, "1.0 kHz" },  { 1260.0, "1.3 kHz" },
        { 20000.0, "20.0 kHz" }, { 1250.0, "1.3 kHz" }, { -5.5, "-5 Hz" },       { 632.45, "632 Hz" },
    };
    for (auto [f, text] : cases)
        EXPECT_EQ (T9VUI::formatFreq (f), text) << f;
}

TEST (PanelLifecycle, OpeningAndClosingRepeatedly)
{
    T9v210AudioProcessor processor;
    for (int i = 0; i < 20; ++i)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
        ASSERT_EQ (editor->getNumChildComponents(), 1);
    }
}
