#pragma once

#include "plugin/ClassIdentifiers.h"
#include "plugin/PluginIdentity.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <cstdint>
#include <vector>

// What each host format that this machine cannot build (Audio Unit, VST 2.4, AAX, RTAS)
// is told about the plug-in, drawn from the identity table alone. The framework's
// wrappers produce the same answers from the same JucePlugin_* values in real SDK builds;
// this layer states them once, testably, and supplies the values the wrappers take from
// the processor (the AAX plug-in IDs).
namespace Tessaro9V::formats
{
using identity::fourCharCode;

// Host bypass, in every format: the processor's processBlockBypassed instead of its
// processing (the framework's default passes the input through unchanged).
void runBlock (juce::AudioProcessor& processor, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi,
               bool hostBypassed);

//==============================================================================
namespace au
{
inline constexpr int32_t formatNotSupportedError = -10868;
inline constexpr uint32_t mainType = fourCharCode ("aufx"); // an effect unit
inline constexpr uint32_t componentVersion = static_cast<uint32_t> (identity::versionCode);

struct ChannelInfo
{
    int16_t inChannels, outChannels;
};
std::vector<ChannelInfo> supportedChannels();

// The answer to an initialisation with this pairing: 0, or formatNotSupportedError.
int32_t initialise (int inputs, int outputs) noexcept;

struct ComponentDescription
{
    uint32_t type, subType, manufacturer;
};
ComponentDescription viewDescription() noexcept;
const char* cocoaViewFactoryName() noexcept;
// The three entry points, named from the export prefix.
std::array<juce::String, 3> entryPointNames();

// Latency in seconds (latency samples over the sample rate) and the tail time.
double latencySeconds (const juce::AudioProcessor& processor) noexcept;
double tailSeconds (const juce::AudioProcessor& processor) noexcept;
} // namespace au

//==============================================================================
namespace vst2
{
// Category values of the VST 2 interface; JucePlugin_VSTCategory names one of them.
enum PluginCategory : int32_t
{
    kPlugCategUnknown = 0,
    kPlugCategEffect,
    kPlugCategSynth
};
inline constexpr int32_t category = JucePlugin_VSTCategory;

// Flag bits of the effect record.
inline constexpr int32_t flagHasEditor = 1 << 0;
inline constexpr int32_t flagCanReplacing = 1 << 4;
inline constexpr int32_t flagProgramChunks = 1 << 5;
inline constexpr int32_t flagIsSynth = 1 << 8;
inline constexpr int32_t flagNoSoundInStop = 1 << 9;

inline constexpr size_t maxNameBytes = 64;
// The version code as decimal digits: 0x10002 reads 102.
int32_t versionNumber() noexcept;

struct EffectRecord
{
    int32_t numPrograms, numParams, numInputs, numOutputs, flags, initialDelay, uniqueId, version;
};
EffectRecord effectRecord (juce::AudioProcessor& processor);

// effGetEffectName, effGetProductString, effGetVendorString: copied with at most
// maxNameBytes bytes, terminator included.
enum class NameQuery
{
    effectName,
    productString,
    vendorString
};
void copyName (NameQuery query, char* destination);
int32_t vendorVersion() noexcept;

// The capability answers: 1 yes, -1 no, 0 unknown; "hasCockosViewAsConfig" has its own
// answer, and the wrapper remembers that the host asked it.
inline constexpr intptr_t cockosViewAsConfigAnswer = static_cast<intptr_t> (0xbeef0000);
struct CapabilityResponder
{
    intptr_t canDo (const char* query) noexcept;
    bool askedForCockosView = false;
};

// The vendor-specific request: ('stCA' or 'stCa', 'FUID') copies the VST3 component
// class identifier into the 16 bytes at destination and answers 1; anything else 0.
intptr_t vendorSpecific (int32_t index, intptr_t value, void* destination) noexcept;

// The host's bypass request is always accepted.
inline constexpr intptr_t setBypassAnswer = 1;
} // namespace vst2

//==============================================================================
namespace aax
{
inline constexpr uint32_t category = static_cast<uint32_t> (identity::aaxCategory);
inline constexpr uint32_t nativeIdBase = fourCharCode ("jcaa");
inline constexpr uint32_t audioSuiteIdBase = fourCharCode ("jyaa");
inline constexpr uint32_t packageVersion = static_cast<uint32_t> (identity::versionCode);

// Description names, longest first.
std::array<const char*, 2> effectNames() noexcept;

// The plug-in IDs of a main-bus pairing: the base plus the channel-configuration index;
// a pairing outside the table answers the base alone.
int32_t pluginId (int inputs, int outputs, bool audioSuite) noexcept;

enum class StemFormat
{
    mono,
    stereo
};

enum class Property
{
    manufacturerId,
    productId,
    canBypass,
    inputStemFormat,
    outputStemFormat,
    nativePluginId,
    audioSuitePluginId,
    multiMonoSupport
};

struct PropertyValue
{
    Property property;
    int64_t value; // codes, 0/1 for booleans, StemFormat as its enumerator value
};

struct Component
{
    int configurationIndex, inputs, outputs;
    std::vector<PropertyValue> properties; // in declaration order
};
std::vector<Component> components();

// The master bypass parameter that the wrapper puts before the processor's own.
inline constexpr const char* masterBypassId = "MasterBypassID";
juce::String masterBypassName (int maximumLength);
juce::String masterBypassValueText (bool on, int maximumLength);

struct Parameter
{
    juce::String id, name, shortName;
    float defaultValue;
    bool isMasterBypass;
};
std::vector<Parameter> parameters (juce::AudioProcessor& processor);
} // namespace aax

//==============================================================================
namespace rtas
{
inline constexpr int32_t category = identity::aaxCategory; // the same flags as AAX
inline constexpr uint32_t bypassControlId = fourCharCode ("bypa");
inline constexpr const char* bypassControlNames = "Master Bypass\nMastrByp\nMByp\nByp";
inline constexpr uint32_t processGroupVersion = static_cast<uint32_t> (identity::versionCode);

// The plug-in name, a line feed, the description.
juce::String name();

struct ProcessGroup
{
    juce::String manufacturerName;
    uint32_t manufacturerId;
    juce::String pluginNames;
    uint32_t version;
};
ProcessGroup processGroup();

struct EffectType
{
    uint32_t typeId, productId;
    int32_t category;
    juce::String names;
    aax::StemFormat inputStem, outputStem;
};
std::vector<EffectType> effectTypes();

struct Control
{
    uint32_t id; // the master bypass's code, or the parameter index
    juce::String names;
    bool isMasterBypass, automatable;
    float defaultValue;
};
// The master bypass first, then one control per processor parameter in index order.
std::vector<Control> controls (juce::AudioProcessor& processor);
} // namespace rtas
} // namespace Tessaro9V::formats
