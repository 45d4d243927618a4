#pragma once

#include "dsp/NoiseSource.h"
#include "dsp/QVAHum.h"
#include "dsp/Tessaro9VFilters.h"
#include "dsp/Tessaro9VTransfo.h"
#include "processor/FactoryPrograms.h"
#include "processor/ParameterTable.h"
#include "processor/Settings.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <cstdint>

namespace Tessaro9V
{
class T9v210AudioProcessor : public juce::AudioProcessor
{
public:
    T9v210AudioProcessor();
    ~T9v210AudioProcessor() override;

    const juce::String getName() const override;
    void prepareToPlay (double sampleRate, int samplesPerBlock) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    using juce::AudioProcessor::processBlock;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    const juce::String getInputChannelName (int channelIndex) const override;
    const juce::String getOutputChannelName (int channelIndex) const override;
    bool isInputChannelStereoPair (int index) const override;
    bool isOutputChannelStereoPair (int index) const override;
    bool silenceInProducesSilenceOut() const override { return false; }
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }

    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }

    // The indexed parameter interface: the one source of parameter behaviour. The
    // framework reaches it through HostParameter.
    int getNumParameters() override { return kNumParameters; }
    const juce::String getParameterName (int index) override;
    float getParameter (int index) override;
    const juce::String getParameterText (int index) override;
    float getParameterDefaultValue (int index) override;
    void setParameter (int index, float value) override;
    juce::String getParameterShortName (int index) const;
    // Stores the value and informs the host (the editor's only way to write parameters).
    void setParameterNotifyingHost (int index, float value);

    int getNumPrograms() override { return numFactoryPrograms; }
    int getCurrentProgram() override;
    void setCurrentProgram (int index) override;
    const juce::String getProgramName (int index) override;
    void changeProgramName (int, const juce::String&) override {}

    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    // AAX plug-in IDs per channel configuration ("jcaa" / "jyaa" plus its index).
    juce::int32 getAAXPluginIDForMainBusConfig (const juce::AudioChannelSet& mainInputLayout,
                                                const juce::AudioChannelSet& mainOutputLayout,
                                                bool idForAudioSuite) const override;

    // Live parameter values in working form. Shared between threads: access the fields
    // through relaxedLoad/relaxedStore (or loadSettings for a whole copy).
    Settings settings;
    // Smoothed RMS level of the signal after the filters, linear, for the panel's LEDs.
    std::atomic<float> meterLevel { 0.0f };

    // The monotonic millisecond counter (32-bit, wrapping) behind the program guard that
    // follows a state restore; replaceable so tests need not wait.
    using MillisecondClock = juce::uint32 (*)();
    void setMillisecondClock (MillisecondClock newClock) noexcept { clock = newClock; }

private:
    void setupFilters();
    void pushFilterParameter (int index, const Settings& s);

    std::array<Settings, numFactoryPrograms> programs;
    // Program changes within this long after a state restore keep the restored values.
    static constexpr juce::uint32 programGuardMs = 500;
    std::atomic<int> currentProgram { 0 };
    std::atomic<uint32_t> lastRestoreTime { 0 };
    std::atomic<bool> restoredOnce { false }; // the guard is inactive until the first restore
    QVAHum hum;
    Tessaro9VFilters filters;
    Tessaro9VTransfo transformer;
    float meterCoefficient = 0.1f;
    NoiseSource noise;
    MillisecondClock clock = &juce::Time::getMillisecondCounter;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (T9v210AudioProcessor)
};
} // namespace Tessaro9V
