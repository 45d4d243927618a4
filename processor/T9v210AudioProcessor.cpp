#include "processor/T9v210AudioProcessor.h"

#include "dsp/AnalogStages.h"
#include "editor/EditorFactory.h"
#include "plugin/HostFormatProfiles.h"
#include "plugin/PluginIdentity.h"
#include "processor/HostParameter.h"
#include "processor/RelaxedAccess.h"
#include "processor/StateDocument.h"

namespace Tessaro9V
{
namespace
{
using juce::FloatVectorOperations;

// Accepts finite values; the chain must never turn a parameter into a non-finite gain.
float finiteOr (double value, float fallback) noexcept
{
    const auto f = static_cast<float> (value);
    return std::isfinite (f) ? f : fallback;
}
} // namespace

T9v210AudioProcessor::T9v210AudioProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true))
{
    for (size_t i = 0; i < programs.size(); ++i)
        programs[i] = factoryPrograms()[i].values;

    for (int i = 0; i < kNumParameters; ++i)
        addParameter (new HostParameter (*this, i));
}

T9v210AudioProcessor::~T9v210AudioProcessor() = default;

const juce::String T9v210AudioProcessor::getName() const { return identity::productName; }

bool T9v210AudioProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();
    return in == out && (in == juce::AudioChannelSet::stereo() || in == juce::AudioChannelSet::mono());
}

//==============================================================================
void T9v210AudioProcessor::prepareToPlay (double sampleRate, int samplesPerBlock)
{
    const int numInputs = getTotalNumInputChannels();
    hum.prepareToPlay (sampleRate, numInputs);
    filters.prepareToPlay (sampleRate, numInputs);
    transformer.prepareToPlay (sampleRate, numInputs);
    setupFilters();

    const double blockSeconds = static_cast<double> (samplesPerBlock) / sampleRate;
    meterCoefficient = static_cast<float> (blockSeconds / (0.25 + blockSeconds));
    if (! std::isfinite (meterCoefficient))
        meterCoefficient = 0.1f;
    meterLevel.store (0.0f, std::memory_order_relaxed);
}

void T9v210AudioProcessor::releaseResources()
{
    // VST3 hosts may release and keep processing; the blocks stay as they are there.
    if (wrapperType == wrapperType_VST3)
        return;
    hum.releaseResources();
    filters.releaseResources();
    transformer.releaseResources();
}

void T9v210AudioProcessor::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&)
{
    // The double-precision filter states would otherwise decay into slow subnormals.
    juce::ScopedNoDenormals noDenormals;

    const Settings s = loadSettings (settings);
    const int numSamples = buffer.getNumSamples();
    // The framework guarantees enough channels; the clamp keeps a short buffer harmless.
    const int numInputs = juce::jmin (getTotalNumInputChannels(), buffer.getNumChannels());
    const int numOutputs = juce::jmin (getTotalNumOutputChannels(), buffer.getNumChannels());

    if (! s.bypass)
    {
        float* const* channels = buffer.getArrayOfWritePointers();
        const auto scale = static_cast<float> (s.internalScale);

        for (int c = 0; c < numInputs; ++c)
        {
            FloatVectorOperations::multiply (channels[c], scale, numSamples);
            if (s.analog && numSamples > 0)
                analog::addNoise (channels[c], numSamples, noise);
        }

        if (s.analog && hum.getNumChannels() <= buffer.getNumChannels())
            hum.processSamples (const_cast<float**> (channels), numSamples);

        const float inputGain = finiteOr (s.inputGain, 0.0f);
        for (int c = 0; c < numInputs; ++c)
            FloatVectorOperations::multiply (channels[c], inputGain, numSamples);

        const double polaritySign = s.polarity ? -1.0 : 1.0;
        const float outputGain = finiteOr (s.outputLevel * polaritySign / s.internalScale, 0.0f);
        float levelSum = 0.0f;

        for (int c = 0; c < numInputs; ++c)
        {
            float* data = channels[c];
            filters.processSamples (data, numSamples, c);

            float rms = 0.0f;
            if (numSamples > 0)
            {
                double sumOfSquares = 0.0;
                for (int i = 0; i < numSamples; ++i)
                    sumOfSquares += static_cast<double> (data[i] * data[i]);
                rms = static_cast<float> (std::sqrt (sumOfSquares / numSamples));
            }

            if (s.analog)
            {
                analog::softClip (data, numSamples);
                transformer.processSamples (data, numSamples, c);
            }

            FloatVectorOperations::multiply (data, outputGain, numSamples);
            levelSum += rms / static_cast<float> (numInputs);
        }

        const float k = meterCoefficient;
        const float previous = meterLevel.load (std::memory_order_relaxed);
        double level = k * (levelSum / s.internalScale) + static_cast<double> ((1.0f - k) * previous);
        if (! std::isfinite (level))
            level = 0.0; // one bad block must not freeze the LEDs
        meterLevel.store (static_cast<float> (level), std::memory_order_relaxed);
    }

    for (int c = numInputs; c < numOutputs; ++c)
        buffer.clear (c, 0, numSamples);
}

//==============================================================================
const juce::String T9v210AudioProcessor::getInputChannelName (int channelIndex) const
{
    return juce::String (static_cast<juce::int64> (channelIndex) + 1);
}

const juce::String T9v210AudioProcessor::getOutputChannelName (int channelIndex) const
{
    return juce::String (static_cast<juce::int64> (channelIndex) + 1);
}

bool T9v210AudioProcessor::isInputChannelStereoPair (int) const { return true; }
bool T9v210AudioProcessor::isOutputChannelStereoPair (int) const { return true; }

juce::AudioProcessorEditor* T9v210AudioProcessor::createEditor() { return createPluginEditor (*this); }

//==============================================================================
const juce::String T9v210AudioProcessor::getParameterName (int index)
{
    return isParameterIndex (index) ? juce::String (parameterTable[static_cast<size_t> (index)].name) : juce::String();
}

juce::String T9v210AudioProcessor::getParameterShortName (int index) const
{
    return isParameterIndex (index) ? juce::String (parameterTable[static_cast<size_t> (index)].shortName)
                                    : juce::String();
}

const juce::String T9v210AudioProcessor::getParameterText (int) { return {}; }

float T9v210AudioProcessor::getParameterDefaultValue (int index)
{
    return isParameterIndex (index) ? parameterTable[static_cast<size_t> (index)].defaultValue : 0.0f;
}

float T9v210AudioProcessor::getParameter (int index)
{
    const auto flag = [] (const bool& field) { return relaxedLoad (field) ? 1.0f : 0.0f; };

    switch (index)
    {
        case kInputGain: return laws::normalisedFromGain (relaxedLoad (settings.inputGain));
        case kOutputLevel: return laws::normalisedFromGain (relaxedLoad (settings.outputLevel));
        case kLink: return flag (settings.link);
        case kHiBoost: return static_cast<float> (relaxedLoad (settings.hiBoost));
        case kHiFrequency: return laws::normalisedFromThreeStep (relaxedLoad (settings.hiFrequency));
        case kLowBoost: return static_cast<float> (relaxedLoad (settings.lowBoost));
        case kLowFrequency: return laws::normalisedFromThreeStep (relaxedLoad (settings.lowFrequency));
        case kEqOn: return flag (settings.eqOn);
        case kPolarity: return flag (settings.polarity);
        case kAnalog: return flag (settings.analog);
        case kLowpassFrequency: return static_cast<float> (relaxedLoad (settings.lowpassFrequency));
        case kLowpassSlope: return laws::normalisedFromFiveStep (relaxedLoad (settings.lowpassSlope));
        case kLowFilterOn: return flag (settings.lowFilterOn);
        case kHighpassFrequency: return static_cast<float> (relaxedLoad (settings.highpassFrequency));
        case kHighpassSlope: return laws::normalisedFromFiveStep (relaxedLoad (settings.highpassSlope));
        case kHighFilterOn: return flag (settings.highFilterOn);
        case kBypass: return flag (settings.bypass);
        default: return 0.0f;
    }
}

void T9v210AudioProcessor::setParameter (int index, float v)
{
    Settings& s = settings;
    switch (index)
    {
        case kInputGain: relaxedStore (s.inputGain, laws::gainFromNormalised (v)); break;
        case kOutputLevel: relaxedStore (s.outputLevel, laws::gainFromNormalised (v)); break;
        case kLink: relaxedStore (s.link, laws::switchFromNormalised (v)); break;
        case kHiBoost: relaxedStore (s.hiBoost, static_cast<double> (v)); break;
        case kHiFrequency: relaxedStore (s.hiFrequency, laws::threeStepFromNormalised (v)); break;
        case kLowBoost: relaxedStore (s.lowBoost, static_cast<double> (v)); break;
        case kLowFrequency: relaxedStore (s.lowFrequency, laws::threeStepFromNormalised (v)); break;
        case kEqOn: relaxedStore (s.eqOn, laws::switchFromNormalised (v)); break;
        case kPolarity: relaxedStore (s.polarity, laws::switchFromNormalised (v)); break;
        case kAnalog: relaxedStore (s.analog, laws::switchFromNormalised (v)); break;
        case kLowpassFrequency: relaxedStore (s.lowpassFrequency, static_cast<double> (v)); break;
        case kLowpassSlope: relaxedStore (s.lowpassSlope, laws::fiveStepFromNormalised (v)); break;
        case kLowFilterOn: relaxedStore (s.lowFilterOn, laws::switchFromNormalised (v)); break;
        case kHighpassFrequency: relaxedStore (s.highpassFrequency, static_cast<double> (v)); break;
        case kHighpassSlope: relaxedStore (s.highpassSlope, laws::fiveStepFromNormalised (v)); break;
        case kHighFilterOn: relaxedStore (s.highFilterOn, laws::switchFromNormalised (v)); break;
        case kBypass: relaxedStore (s.bypass, laws::bypassFromNormalised (v)); break;
        default: return;
    }
    pushFilterParameter (index, loadSettings (settings));
}

void T9v210AudioProcessor::setParameterNotifyingHost (int index, float value)
{
    if (auto* parameter = getParameters()[index])
        parameter->setValueNotifyingHost (value);
}

//==============================================================================
// Each filter-related parameter reconfigures its part of the filters block at once; a
// step change re-sends its companion value too.
void T9v210AudioProcessor::pushFilterParameter (int index, const Settings& s)
{
    switch (index)
    {
        case kHiBoost:
        case kHiFrequency: filters.setHi (static_cast<int> (s.hiFrequency), s.hiBoost); break;
        case kLowBoost:
        case kLowFrequency: filters.setLo (static_cast<int> (s.lowFrequency), s.lowBoost); break;
        case kEqOn: filters.eqOn.store (s.eqOn, std::memory_order_relaxed); break;
        case kAnalog: filters.analog.store (s.analog, std::memory_order_relaxed); break;
        case kLowpassFrequency:
        case kLowpassSlope:
            filters.setLP (laws::cornerFrequencyHz (s.lowpassFrequency), laws::slopeCode (s.lowpassSlope));
            break;
        case kLowFilterOn: filters.lpOn.store (s.lowFilterOn, std::memory_order_relaxed); break;
        case kHighpassFrequency:
        case kHighpassSlope:
            filters.setHP (laws::cornerFrequencyHz (s.highpassFrequency), laws::slopeCode (s.highpassSlope));
            break;
        case kHighFilterOn: filters.hpOn.store (s.highFilterOn, std::memory_order_relaxed); break;
        default: break; // gains, link, polarity and bypass are read by the chain
    }
}

void T9v210AudioProcessor::setupFilters()
{
    const Settings s = loadSettings (settings);
    for (const int index : { kHiBoost, kLowBoost, kEqOn, kLowpassFrequency, kLowFilterOn, kHighpassFrequency,
                             kHighFilterOn, kAnalog })
        pushFilterParameter (index, s);
}

//==============================================================================
int T9v210AudioProcessor::getCurrentProgram() { return currentProgram.load (std::memory_order_relaxed); }

void T9v210AudioProcessor::setCurrentProgram (int index)
{
    const int program = juce::jlimit (0, numFactoryPrograms - 1, index);
    currentProgram.store (program, std::memory_order_relaxed);

    // A host that selects a program right after restoring a state must not overwrite it.
    // The counter wraps every 2^32 ms; the unsigned difference stays right across the wrap.
    if (restoredOnce.load (std::memory_order_relaxed)
        && clock() - lastRestoreTime.load (std::memory_order_relaxed) < programGuardMs)
        return;

    storeSettings (settings, programs[static_cast<size_t> (program)]);
    setupFilters();
}

const juce::String T9v210AudioProcessor::getProgramName (int index)
{
    return juce::isPositiveAndBelow (index, numFactoryPrograms) ? juce::String (factoryPrograms()[static_cast<size_t> (index)].name)
                                                                 : juce::String();
}

void T9v210AudioProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    juce::XmlElement element (stateDocument::tagName);
    element.setAttribute ("Version", identity::version);
    for (int i = 0; i < getNumParameters(); ++i)
        element.setAttribute (getParameterShortName (i), stateDocument::formatNumber (static_cast<double> (getParameter (i))));
    stateDocument::writeContainer (element, destData);
}

void T9v210AudioProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (const auto element = stateDocument::readContainer (data, sizeInBytes))
    {
        // First attribute of each short name, case-sensitive; the current value where
        // there is none. Every value goes through setParameter and its filter update.
        for (int i = 0; i < kNumParameters; ++i)
        {
            const auto name = getParameterShortName (i);
            const float value = element->hasAttribute (name)
                                    ? stateDocument::readNumber (element->getStringAttribute (name))
                                    : getParameter (i);
            setParameter (i, value);
        }
    }
    lastRestoreTime.store (clock(), std::memory_order_relaxed);
    restoredOnce.store (true, std::memory_order_relaxed);
}

juce::int32 T9v210AudioProcessor::getAAXPluginIDForMainBusConfig (const juce::AudioChannelSet& mainInputLayout,
                                                                  const juce::AudioChannelSet& mainOutputLayout,
                                                                  bool idForAudioSuite) const
{
    return formats::aax::pluginId (mainInputLayout.size(), mainOutputLayout.size(), idForAudioSuite);
}
} // namespace Tessaro9V
