#include "editor/T9VUI.h"

#include "editor/PanelLayout.h"
#include "editor/controls/TessaroButtons.h"
#include "editor/controls/TessaroKnob.h"
#include "editor/controls/TessaroSwitch.h"
#include "plugin/PluginIdentity.h"
#include "processor/RelaxedAccess.h"
#include "resources/EmbeddedArtwork.h"

#include <cmath>
#include <limits>

using namespace Tessaro9V;

namespace
{
constexpr const char* versionPage = JucePlugin_ManufacturerWebsite "/9v-210";
constexpr const char* versionListAddress = JucePlugin_ManufacturerWebsite "/versions.xml";

void setUpLabel (juce::Label& label, float fontHeight, juce::Justification justification)
{
    label.setFont (juce::Font (fontHeight, juce::Font::plain));
    label.setJustificationType (justification);
    label.setEditable (false, false, false);
    label.setColour (juce::Label::textColourId, juce::Colours::white);
    label.setColour (juce::TextEditor::textColourId, juce::Colours::black);
    label.setColour (juce::TextEditor::backgroundColourId, juce::Colours::transparentBlack);
}

void setUpKnob (juce::Slider& knob, juce::Slider::Listener* listener)
{
    knob.setRange (0.0, 1.0, 0.0);
    knob.setSliderStyle (juce::Slider::RotaryVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, false, 80, 20);
    knob.addListener (listener);
}

void setUpSwitch (juce::Slider& s, juce::Slider::Listener* listener)
{
    s.setRange (0.0, 1.0, 0.5);
    s.setSliderStyle (juce::Slider::LinearVertical);
    s.setTextBoxStyle (juce::Slider::NoTextBox, false, 80, 20);
    s.addListener (listener);
}

juce::Image artwork (const unsigned char* data, int size) { return juce::ImageCache::getFromMemory (data, size); }

std::unique_ptr<juce::ImageButton> makeLed (juce::Component& owner, juce::Button::Listener* listener, const juce::Image& image)
{
    auto led = std::make_unique<juce::ImageButton> ("new button");
    owner.addAndMakeVisible (led.get());
    led->addListener (listener);
    const auto clear = juce::Colours::transparentBlack;
    led->setImages (false, true, true, image, 1.0f, clear, juce::Image(), 1.0f, clear, juce::Image(), 1.0f, clear, 0.0f);
    return led;
}

// Truncation toward zero that saturates instead of overflowing.
juce::int64 truncated (double x)
{
    if (std::isnan (x))
        return 0;
    constexpr double limit = 9.0e18;
    return static_cast<juce::int64> (juce::jlimit (-limit, limit, x));
}
} // namespace

T9VUI::T9VUI (T9v210AudioProcessor* owner)
{
    highpassFreqLabel = std::make_unique<juce::Label> ("new label", TRANS ("20 Hz"));
    addAndMakeVisible (highpassFreqLabel.get());
    setUpLabel (*highpassFreqLabel, 9.5f, juce::Justification::centredRight);
    lowpassFreqLabel = std::make_unique<juce::Label> ("new label", TRANS ("20 Hz"));
    addAndMakeVisible (lowpassFreqLabel.get());
    setUpLabel (*lowpassFreqLabel, 9.5f, juce::Justification::centredRight);
    versionLabel = std::make_unique<juce::Label> ("new label", TRANS ("version"));
    addAndMakeVisible (versionLabel.get());
    setUpLabel (*versionLabel, 11.2f, juce::Justification::centred);

    for (auto* knob : { &inputKnob, &outputKnob, &hiBoostKnob, &lowBoostKnob, &lowpassKnob, &highpassKnob })
    {
        *knob = std::make_unique<TessaroKnob>();
        addAndMakeVisible (knob->get());
        setUpKnob (**knob, this);
    }

    eqButton = std::make_unique<TessaroGreenButton>();
    addAndMakeVisible (eqButton.get());
    polarityButton = std::make_unique<TessaroYellowButton>();
    addAndMakeVisible (polarityButton.get());
    analogButton = std::make_unique<TessaroRedButton>();
    addAndMakeVisible (analogButton.get());

    for (auto* s : { &hiFreqSwitch, &lowFreqSwitch })
    {
        *s = std::make_unique<TessaroSwitch>();
        addAndMakeVisible (s->get());
        setUpSwitch (**s, this);
    }

    lowpassOnButton = std::make_unique<TessaroYellowButton>();
    addAndMakeVisible (lowpassOnButton.get());
    highpassOnButton = std::make_unique<TessaroYellowButton>();
    addAndMakeVisible (highpassOnButton.get());
    lowpassSlopeButton = std::make_unique<TessaroGreenButton>();
    addAndMakeVisible (lowpassSlopeButton.get());
    highpassSlopeButton = std::make_unique<TessaroGreenButton>();
    addAndMakeVisible (highpassSlopeButton.get());

    const auto green = artwork (resource_T9VUI_greenLed_png, resource_T9VUI_greenLed_pngSize);
    const auto yellow = artwork (resource_T9VUI_yellowLed_png, resource_T9VUI_yellowLed_pngSize);
    const auto red = artwork (resource_T9VUI_redLed_png, resource_T9VUI_redLed_pngSize);
    powerLed = makeLed (*this, this, green);
    const juce::Image meterImages[] = { green, green, yellow, yellow, red };
    for (size_t i = 0; i < meterLeds.size(); ++i)
        meterLeds[i] = makeLed (*this, this, meterImages[i]);
    for (auto& led : lowpassSlopeLeds)
        led = makeLed (*this, this, green);
    for (auto& led : highpassSlopeLeds)
        led = makeLed (*this, this, green);

    linkButton = std::make_unique<LinkButton>();
    addAndMakeVisible (linkButton.get());

    versionNotice = std::make_unique<juce::HyperlinkButton> (TRANS ("New version available"), juce::URL (versionPage));
    addAndMakeVisible (versionNotice.get());
    versionNotice->setTooltip (versionPage);
    versionNotice->setColour (juce::HyperlinkButton::textColourId, juce::Colour (0xccffffffu));

    back = artwork (resource_T9VUI_back_png, resource_T9VUI_back_pngSize);
    backSide = artwork (resource_T9VUI_backSide_png, resource_T9VUI_backSide_pngSize);

    processor = owner;

    inputKnob->setDoubleClickReturnValue (true, 0.5);
    outputKnob->setDoubleClickReturnValue (true, 0.5);
    hiBoostKnob->setDoubleClickReturnValue (true, 0.0);
    lowBoostKnob->setDoubleClickReturnValue (true, 0.0);
    lowpassKnob->setDoubleClickReturnValue (true, 1.0);
    highpassKnob->setDoubleClickReturnValue (true, 0.0);

    versionLabel->setText (identity::version, juce::dontSendNotification);
    versionNotice->setVisible (false);
    versionListUrl = juce::URL (versionListAddress);

    startTimer (versionTimer, 1000);
    setSize (PanelLayout::editorWidth, PanelLayout::editorHeight);

    for (juce::Button* b : std::initializer_list<juce::Button*> { eqButton.get(), polarityButton.get(), analogButton.get(),
                                                                  lowpassSlopeButton.get(), lowpassOnButton.get(),
                                                                  highpassSlopeButton.get(), highpassOnButton.get(),
                                                                  linkButton.get() })
        b->addListener (this);

    cachedLink = true;
    cachedEqOn = true;
    cachedLowFilterOn = false;
    cachedHighFilterOn = false;
}

T9VUI::~T9VUI()
{
    versionFetcher.reset(); // cancels a request in flight

    highpassFreqLabel.reset();
    lowpassFreqLabel.reset();
    versionLabel.reset();
    for (auto* knob : { &inputKnob, &outputKnob, &hiBoostKnob, &lowBoostKnob, &lowpassKnob, &highpassKnob })
        knob->reset();
    eqButton.reset();
    polarityButton.reset();
    analogButton.reset();
    hiFreqSwitch.reset();
    lowFreqSwitch.reset();
    lowpassOnButton.reset();
    highpassOnButton.reset();
    lowpassSlopeButton.reset();
    highpassSlopeButton.reset();
    powerLed.reset();
    for (auto* leds : { &meterLeds, &lowpassSlopeLeds, &highpassSlopeLeds })
        for (auto& led : *leds)
            led.reset();
    linkButton.reset();
    versionNotice.reset();

    back = {};
    backSide = {};
}

//==============================================================================
void T9VUI::visibilityChanged()
{
    if (isVisible())
    {
        startTimer (refreshTimer, 80);
        startTimer (levelTimer, 50);
    }
    else
    {
        stopTimer (refreshTimer);
        stopTimer (levelTimer);
    }
}

void T9VUI::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::white);
    const int halfWidth = juce::roundToInt (getWidth() * 0.5);
    g.setColour (juce::Colours::black);
    g.drawImage (back, 0, 0, halfWidth, getHeight(), 0, 0, back.getWidth(), back.getHeight());
    g.setColour (juce::Colours::black);
    g.drawImage (backSide, 150, 0, halfWidth, getHeight(), 0, 0, backSide.getWidth(), backSide.getHeight());
}

void T9VUI::resized()
{
    // The children were added in the table's order, so child i takes row i.
    jassert (getNumChildComponents() == static_cast<int> (PanelLayout::children.size()));
    for (size_t i = 0; i < PanelLayout::children.size(); ++i)
    {
        const auto& row = PanelLayout::children[i];
        if (auto* child = getChildComponent (static_cast<int> (i)))
            child->setBounds (row.x, row.y, row.width, row.height);
    }
}

//==============================================================================
double T9VUI::boostTaper (double v) { return std::min (v, std::max (2.125 * v - 1.125, 0.25 * v)); }

double T9VUI::boostPosition (double b) { return std::max (std::min ((b + 1.125) / 2.125, 4.0 * b), b); }

double T9VUI::gainPosition (double g)
{
    if (g > 0.0)
    {
        const double dB = 20.0 * std::log10 (g);
        if (dB > -100.0)
            return (dB + 24.0) / 48.0;
    }
    return -76.0 / 48.0;
}

double T9VUI::levelDisplay (float x)
{
    if (x > 0.0f)
    {
        const float d = 20.0f * std::log10 (x);
        if (d > -100.0f)
            return static_cast<double> (d) + 22.0;
    }
    return -78.0;
}

juce::String T9VUI::formatFreq (double f)
{
    if (f < 1000.0)
        return juce::String (truncated (f)) + " Hz";
    const juce::int64 tenths = truncated (std::abs (f * 0.001) * 10.0 + 0.5);
    return juce::String (tenths / 10) + "." + juce::String (tenths % 10) + " kHz";
}

//==============================================================================
void T9VUI::write (int index, double value) { processor->setParameterNotifyingHost (index, static_cast<float> (value)); }

void T9VUI::toggle (int index) { write (index, 1.0f - processor->getParameter (index)); }

void T9VUI::stepSlope (int slopeIndex, int onIndex, bool filterOn)
{
    float s = processor->getParameter (slopeIndex) + 0.25f;
    if (s > 1.0f)
        s = 0.0f;
    write (slopeIndex, s);
    if (! filterOn)
        write (onIndex, 1.0);
}

void T9VUI::sliderValueChanged (juce::Slider* slider)
{
    const double v = slider->getValue();
    const auto switchOn = [this] (bool cached, int index) {
        if (! cached)
            write (index, 1.0);
    };

    if (slider == inputKnob.get())
    {
        write (kInputGain, v);
        if (cachedLink)
            write (kOutputLevel, 1.0 - v);
    }
    else if (slider == outputKnob.get())
    {
        write (kOutputLevel, v);
        if (cachedLink)
            write (kInputGain, 1.0 - v);
    }
    else if (slider == hiBoostKnob.get())
    {
        write (kHiBoost, boostTaper (v));
        switchOn (cachedEqOn, kEqOn);
    }
    else if (slider == lowBoostKnob.get())
    {
        write (kLowBoost, boostTaper (v));
        switchOn (cachedEqOn, kEqOn);
    }
    else if (slider == lowpassKnob.get())
    {
        write (kLowpassFrequency, v);
        switchOn (cachedLowFilterOn, kLowFilterOn);
    }
    else if (slider == highpassKnob.get())
    {
        write (kHighpassFrequency, v);
        switchOn (cachedHighFilterOn, kHighFilterOn);
    }
    else if (slider == hiFreqSwitch.get())
    {
        write (kHiFrequency, v);
        switchOn (cachedEqOn, kEqOn);
    }
    else if (slider == lowFreqSwitch.get())
    {
        write (kLowFrequency, v);
        switchOn (cachedEqOn, kEqOn);
    }
}

void T9VUI::buttonClicked (juce::Button* button)
{
    if (button == eqButton.get())
        toggle (kEqOn);
    else if (button == polarityButton.get())
        toggle (kPolarity);
    else if (button == analogButton.get())
        toggle (kAnalog);
    else if (button == lowpassOnButton.get())
        toggle (kLowFilterOn);
    else if (button == highpassOnButton.get())
        toggle (kHighFilterOn);
    else if (button == linkButton.get())
        toggle (kLink);
    else if (button == lowpassSlopeButton.get())
        stepSlope (kLowpassSlope, kLowFilterOn, cachedLowFilterOn);
    else if (button == highpassSlopeButton.get())
        stepSlope (kHighpassSlope, kHighFilterOn, cachedHighFilterOn);
    // LEDs reach here too and are ignored.
}

//==============================================================================
void T9VUI::timerCallback (int timerID)
{
    if (timerID == refreshTimer)
        refreshFromProcessor();
    else if (timerID == levelTimer)
        showLevel();
    else if (timerID == versionTimer)
    {
        stopTimer (versionTimer);
        startVersionCheck();
    }
}

void T9VUI::refreshFromProcessor()
{
    const Settings s = loadSettings (processor->settings);
    const auto none = juce::dontSendNotification;
    const auto showStep = [] (juce::Slider& sw, uint32_t step) {
        if (step <= 2)
            sw.setValue (step * 0.5, juce::dontSendNotification);
    };
    const auto showSlope = [] (auto& leds, uint32_t step) {
        for (size_t i = 0; i < leds.size(); ++i)
            leds[i]->setAlpha (step == i ? 1.0f : 0.0f);
    };

    inputKnob->setValue (gainPosition (s.inputGain), none);
    outputKnob->setValue (gainPosition (s.outputLevel), none);
    cachedLink = s.link;
    linkButton->setToggleState (s.link, none);
    hiBoostKnob->setValue (boostPosition (s.hiBoost), none);
    showStep (*hiFreqSwitch, s.hiFrequency);
    lowBoostKnob->setValue (boostPosition (s.lowBoost), none);
    showStep (*lowFreqSwitch, s.lowFrequency);
    cachedEqOn = s.eqOn;
    eqButton->setToggleState (s.eqOn, none);
    polarityButton->setToggleState (s.polarity, none);
    analogButton->setToggleState (s.analog, none);
    lowpassKnob->setValue (s.lowpassFrequency, none);
    lowpassFreqLabel->setText (formatFreq (laws::cornerFrequencyHz (s.lowpassFrequency)), none);
    showSlope (lowpassSlopeLeds, s.lowpassSlope);
    cachedLowFilterOn = s.lowFilterOn;
    lowpassOnButton->setToggleState (s.lowFilterOn, none);
    highpassKnob->setValue (s.highpassFrequency, none);
    highpassFreqLabel->setText (formatFreq (laws::cornerFrequencyHz (s.highpassFrequency)), none);
    showSlope (highpassSlopeLeds, s.highpassSlope);
    cachedHighFilterOn = s.highFilterOn;
    highpassOnButton->setToggleState (s.highFilterOn, none);
}

void T9VUI::showLevel()
{
    const double level = levelDisplay (processor->meterLevel.load (std::memory_order_relaxed));
    constexpr double thresholds[] = { -12.0, 0.0, 3.0, 6.0, 16.0 };
    for (size_t i = 0; i < meterLeds.size(); ++i)
        meterLeds[i]->setAlpha (level >= thresholds[i] ? 1.0f : 0.0f);
}

//==============================================================================
void T9VUI::startVersionCheck()
{
    versionFetcher = std::make_unique<VersionListFetcher>();
    versionFetcher->start (versionListUrl, {}, [this] (juce::String text) { applyVersionList (text); });
}

void T9VUI::applyVersionList (const juce::String& text)
{
    const auto listed = findListedVersion (text, identity::productName);
    if (! listed.has_value())
        return;
    if (isDifferentVersion (*listed, identity::version))
    {
        versionNotice->setButtonText ("version " + *listed + " available");
        versionNotice->setVisible (true);
    }
    else
    {
        versionNotice->setVisible (false);
    }
}
