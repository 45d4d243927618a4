#include "plugin/HostFormatProfiles.h"

#include <cstring>
#include <limits>

namespace Tessaro9V::formats
{
namespace
{
int configurationIndex (int inputs, int outputs) noexcept
{
    for (int i = 0; i < identity::numChannelConfigurations; ++i)
        if (identity::channelConfigurations[i].inputs == inputs &&
            identity::channelConfigurations[i].outputs == outputs)
            return i;
    return -1;
}

aax::StemFormat stemFor (int channels) noexcept
{
    return channels == 1 ? aax::StemFormat::mono : aax::StemFormat::stereo;
}
} // namespace

void runBlock (juce::AudioProcessor& processor, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi,
               bool hostBypassed)
{
    if (hostBypassed)
        processor.processBlockBypassed (buffer, midi);
    else
        processor.processBlock (buffer, midi);
}

//==============================================================================
namespace au
{
std::vector<ChannelInfo> supportedChannels()
{
    std::vector<ChannelInfo> list;
    for (const auto& c : identity::channelConfigurations)
        list.push_back ({ static_cast<int16_t> (c.inputs), static_cast<int16_t> (c.outputs) });
    return list;
}

int32_t initialise (int inputs, int outputs) noexcept
{
    return configurationIndex (inputs, outputs) >= 0 ? 0 : formatNotSupportedError;
}

ComponentDescription viewDescription() noexcept
{
    return { fourCharCode ("auvw"), static_cast<uint32_t> (identity::pluginCode),
             static_cast<uint32_t> (identity::manufacturerCode) };
}

const char* cocoaViewFactoryName() noexcept { return identity::productName; }

std::array<juce::String, 3> entryPointNames()
{
    const juce::String prefix (identity::auExportPrefix);
    return { prefix + "Entry", prefix + "Factory", prefix + "ViewEntry" };
}

double latencySeconds (const juce::AudioProcessor& processor) noexcept
{
    const double rate = processor.getSampleRate();
    return rate > 0.0 ? processor.getLatencySamples() / rate : 0.0;
}

double tailSeconds (const juce::AudioProcessor& processor) noexcept { return processor.getTailLengthSeconds(); }
} // namespace au

//==============================================================================
namespace vst2
{
int32_t versionNumber() noexcept
{
    const auto code = static_cast<uint32_t> (identity::versionCode);
    return static_cast<int32_t> (((code >> 24) & 0xff) * 1000 + ((code >> 16) & 0xff) * 100 +
                                 ((code >> 8) & 0xff) * 10 + (code & 0xff));
}

int32_t vendorVersion() noexcept { return versionNumber(); }

EffectRecord effectRecord (juce::AudioProcessor& processor)
{
    int32_t flags = flagCanReplacing | flagProgramChunks;
    if (processor.hasEditor())
        flags |= flagHasEditor;
    if (identity::isSynth)
        flags |= flagIsSynth;
    if (processor.getTailLengthSeconds() <= 0.0)
        flags |= flagNoSoundInStop;

    const auto& first = identity::channelConfigurations[0];
    return { processor.getNumPrograms(),
             static_cast<int32_t> (processor.getParameters().size()),
             first.inputs,
             first.outputs,
             flags,
             processor.getLatencySamples(),
             identity::vst2UniqueId,
             versionNumber() };
}

void copyName (NameQuery query, char* destination)
{
    const char* text = query == NameQuery::vendorString ? identity::manufacturer : identity::productName;
    juce::String (juce::CharPointer_UTF8 (text)).copyToUTF8 (destination, maxNameBytes);
}

intptr_t CapabilityResponder::canDo (const char* query) noexcept
{
    if (query == nullptr)
        return 0;
    const auto is = [query] (const char* name) { return std::strcmp (query, name) == 0; };

    if (is ("receiveVstEvents") || is ("receiveVstMidiEvent") || is ("receiveVstMidiEvents"))
        return identity::wantsMidiInput ? 1 : -1;
    if (is ("sendVstEvents") || is ("sendVstMidiEvent") || is ("sendVstMidiEvents"))
        return identity::producesMidiOutput ? 1 : -1;
    if (is ("receiveVstTimeInfo") || is ("conformsToWindowRules") || is ("bypass"))
        return 1;
    if (is ("openCloseAnyThread"))
        return -1;
    if (is ("hasCockosViewAsConfig"))
    {
        askedForCockosView = true;
        return cockosViewAsConfigAnswer;
    }
    return 0;
}

intptr_t vendorSpecific (int32_t index, intptr_t value, void* destination) noexcept
{
    const auto requestsClassId = (static_cast<uint32_t> (index) == fourCharCode ("stCA") ||
                                  static_cast<uint32_t> (index) == fourCharCode ("stCa")) &&
                                 static_cast<uint32_t> (value) == fourCharCode ("FUID");
    if (!requestsClassId || destination == nullptr)
        return 0;
    std::memcpy (destination, classIds::component.data(), classIds::component.size());
    return 1;
}
} // namespace vst2

//==============================================================================
namespace aax
{
std::array<const char*, 2> effectNames() noexcept { return { identity::description, identity::productName }; }

int32_t pluginId (int inputs, int outputs, bool audioSuite) noexcept
{
    const uint32_t base = audioSuite ? audioSuiteIdBase : nativeIdBase;
    return static_cast<int32_t> (base + static_cast<uint32_t> (juce::jmax (0, configurationIndex (inputs, outputs))));
}

std::vector<Component> components()
{
    std::vector<Component> list;
    for (int i = 0; i < identity::numChannelConfigurations; ++i)
    {
        const auto& c = identity::channelConfigurations[i];
        list.push_back ({ i,
                          c.inputs,
                          c.outputs,
                          { { Property::manufacturerId, identity::manufacturerCode },
                            { Property::productId, identity::pluginCode },
                            { Property::canBypass, identity::aaxCanBypass ? 1 : 0 },
                            { Property::inputStemFormat, static_cast<int64_t> (stemFor (c.inputs)) },
                            { Property::outputStemFormat, static_cast<int64_t> (stemFor (c.outputs)) },
                            { Property::nativePluginId, pluginId (c.inputs, c.outputs, false) },
                            { Property::audioSuitePluginId, pluginId (c.inputs, c.outputs, true) },
                            { Property::multiMonoSupport, identity::aaxMultiMono ? 1 : 0 } } });
    }
    return list;
}

juce::String masterBypassName (int maximumLength)
{
    if (maximumLength > 12)
        return "Master Bypass";
    if (maximumLength >= 8)
        return "Mast Byp";
    if (maximumLength >= 6)
        return "MstByp";
    return "MByp";
}

juce::String masterBypassValueText (bool on, int maximumLength)
{
    if (!on)
        return "Off";
    return maximumLength > 7 ? "Bypassed" : "Byp";
}

std::vector<Parameter> parameters (juce::AudioProcessor& processor)
{
    std::vector<Parameter> list{ { masterBypassId, masterBypassName (std::numeric_limits<int>::max()),
                                   masterBypassName (4), 0.0f, true } };
    const auto& all = processor.getParameters();
    for (int i = 0; i < all.size(); ++i)
    {
        const auto name = all[i]->getName (1024);
        list.push_back (
            { juce::String (i), name.substring (0, 31), name.substring (0, 4), all[i]->getDefaultValue(), false });
    }
    return list;
}
} // namespace aax

//==============================================================================
namespace rtas
{
juce::String name() { return juce::String (identity::productName) + "\n" + identity::description; }

ProcessGroup processGroup()
{
    return { identity::manufacturer, static_cast<uint32_t> (identity::manufacturerCode), name(), processGroupVersion };
}

std::vector<EffectType> effectTypes()
{
    std::vector<EffectType> list;
    for (int i = 0; i < identity::numChannelConfigurations; ++i)
    {
        const auto& c = identity::channelConfigurations[i];
        // The same IDs as the AAX native components: hosts take the two builds of one
        // configuration for the same plug-in.
        list.push_back ({ static_cast<uint32_t> (aax::pluginId (c.inputs, c.outputs, false)),
                          static_cast<uint32_t> (identity::pluginCode), category, name(), stemFor (c.inputs),
                          stemFor (c.outputs) });
    }
    return list;
}

std::vector<Control> controls (juce::AudioProcessor& processor)
{
    std::vector<Control> list{ { bypassControlId, bypassControlNames, true, true, 0.0f } };
    const auto& all = processor.getParameters();
    for (int i = 0; i < all.size(); ++i)
        list.push_back ({ static_cast<uint32_t> (i), all[i]->getName (1024), false, all[i]->isAutomatable(),
                          all[i]->getDefaultValue() });
    return list;
}
} // namespace rtas
} // namespace Tessaro9V::formats
