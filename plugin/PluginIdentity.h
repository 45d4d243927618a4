#pragma once

// Identity values compiled in from plugin/Identity.cmake (through juce_add_plugin).
namespace Tessaro9V::identity
{
inline constexpr const char* productName = JucePlugin_Name;
inline constexpr const char* description = JucePlugin_Desc;
inline constexpr const char* manufacturer = JucePlugin_Manufacturer;
inline constexpr const char* version = JucePlugin_VersionString;
inline constexpr int versionCode = JucePlugin_VersionCode;
inline constexpr int manufacturerCode = JucePlugin_ManufacturerCode;
inline constexpr int pluginCode = JucePlugin_PluginCode;
inline constexpr const char* website = JucePlugin_ManufacturerWebsite;
inline constexpr const char* email = JucePlugin_ManufacturerEmail;
} // namespace Tessaro9V::identity
