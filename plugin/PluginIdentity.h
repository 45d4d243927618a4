#pragma once

#include <cstdint>

// Identity values compiled in from plugin/Identity.cmake (through juce_add_plugin).
namespace Tessaro9V::identity
{
#define T9V_STRINGIFY_TOKENS(x) #x
#define T9V_STRINGIFY(x) T9V_STRINGIFY_TOKENS (x)

inline constexpr const char* productName = JucePlugin_Name;
inline constexpr const char* description = JucePlugin_Desc;
inline constexpr const char* manufacturer = JucePlugin_Manufacturer;
inline constexpr const char* version = JucePlugin_VersionString;
inline constexpr int versionCode = JucePlugin_VersionCode;
inline constexpr int manufacturerCode = JucePlugin_ManufacturerCode;
inline constexpr int pluginCode = JucePlugin_PluginCode;
inline constexpr const char* website = JucePlugin_ManufacturerWebsite;
inline constexpr const char* email = JucePlugin_ManufacturerEmail;
inline constexpr int vst2UniqueId = JucePlugin_VSTUniqueID;
inline constexpr int aaxCategory = JucePlugin_AAXCategory;
inline constexpr const char* aaxIdentifier = T9V_STRINGIFY (JucePlugin_AAXIdentifier);
inline constexpr const char* auExportPrefix = JucePlugin_AUExportPrefixQuoted;
inline constexpr bool isSynth = JucePlugin_IsSynth != 0;
inline constexpr bool wantsMidiInput = JucePlugin_WantsMidiInput != 0;
inline constexpr bool producesMidiOutput = JucePlugin_ProducesMidiOutput != 0;
inline constexpr bool aaxCanBypass = JucePlugin_AAXDisableBypass == 0;
inline constexpr bool aaxMultiMono = JucePlugin_AAXDisableMultiMono == 0;

// Four characters as one big-endian 32-bit code, as every format stores them.
constexpr uint32_t fourCharCode (const char (&code)[5]) noexcept
{
    return (static_cast<uint32_t> (static_cast<unsigned char> (code[0])) << 24) |
           (static_cast<uint32_t> (static_cast<unsigned char> (code[1])) << 16) |
           (static_cast<uint32_t> (static_cast<unsigned char> (code[2])) << 8) |
           static_cast<uint32_t> (static_cast<unsigned char> (code[3]));
}

// The channel configurations every format lists, in this order: index 0 stereo, 1 mono.
struct ChannelConfiguration
{
    int inputs, outputs;
};
inline constexpr ChannelConfiguration channelConfigurations[] = { { 2, 2 }, { 1, 1 } };
inline constexpr int numChannelConfigurations = 2;
} // namespace Tessaro9V::identity
