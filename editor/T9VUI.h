#pragma once

#include "editor/VersionCheck.h"
#include "processor/T9v210AudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

namespace Tessaro9V
{
class TessaroKnob;
class TessaroSwitch;
class TessaroGreenButton;
class TessaroRedButton;
class TessaroYellowButton;
class LinkButton;
} // namespace Tessaro9V

// The front panel: every control over the two painted halves, turning user actions into
// host-visible parameter changes and polling the processor to show its state.
class T9VUI : public juce::Component,
              public juce::MultiTimer,
              public juce::Slider::Listener,
              public juce::Button::Listener
{
public:
    // Timer ids.
    static constexpr int refreshTimer = 0, levelTimer = 2, versionTimer = 5;

    explicit T9VUI (Tessaro9V::T9v210AudioProcessor* processor);
    ~T9VUI() override;

    void visibilityChanged() override;
    void paint (juce::Graphics& g) override;
    void resized() override;
    void timerCallback (int timerID) override;
    void sliderValueChanged (juce::Slider* slider) override;
    void buttonClicked (juce::Button* button) override;

    static juce::String formatFreq (double frequencyHz);
    static double boostTaper (double knobPosition);
    static double boostPosition (double boost);
    static double gainPosition (double gain);
    static double levelDisplay (float meterLevel);

    // Where the version list is fetched from; tests point it at a local server.
    void setVersionListUrl (juce::URL url) { versionListUrl = std::move (url); }
    void applyVersionList (const juce::String& text);

    // The children, in creation (and stacking, and deletion) order.
    std::unique_ptr<juce::Label> highpassFreqLabel, lowpassFreqLabel, versionLabel;
    std::unique_ptr<Tessaro9V::TessaroKnob> inputKnob, outputKnob, hiBoostKnob, lowBoostKnob, lowpassKnob, highpassKnob;
    std::unique_ptr<Tessaro9V::TessaroGreenButton> eqButton;
    std::unique_ptr<Tessaro9V::TessaroYellowButton> polarityButton;
    std::unique_ptr<Tessaro9V::TessaroRedButton> analogButton;
    std::unique_ptr<Tessaro9V::TessaroSwitch> hiFreqSwitch, lowFreqSwitch;
    std::unique_ptr<Tessaro9V::TessaroYellowButton> lowpassOnButton, highpassOnButton;
    std::unique_ptr<Tessaro9V::TessaroGreenButton> lowpassSlopeButton, highpassSlopeButton;
    std::unique_ptr<juce::ImageButton> powerLed;
    std::array<std::unique_ptr<juce::ImageButton>, 5> meterLeds, lowpassSlopeLeds, highpassSlopeLeds;
    std::unique_ptr<Tessaro9V::LinkButton> linkButton;
    std::unique_ptr<juce::HyperlinkButton> versionNotice;

private:
    void refreshFromProcessor();
    void showLevel();
    void startVersionCheck();
    void write (int index, double value);
    void toggle (int index);
    void stepSlope (int slopeIndex, int onIndex, bool filterOn);

    Tessaro9V::T9v210AudioProcessor* processor = nullptr;
    bool cachedLink = true, cachedEqOn = true, cachedLowFilterOn = false, cachedHighFilterOn = false;
    juce::Image back, backSide;
    juce::URL versionListUrl;
    std::unique_ptr<Tessaro9V::VersionListFetcher> versionFetcher;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (T9VUI)
};
