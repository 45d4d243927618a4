# The plug-in's identity: every name, code and version that hosts see comes from here.
# juce_add_plugin compiles these into the JucePlugin_* definitions that the C++ code reads
# (see plugin/PluginIdentity.h).
set(T9V_PRODUCT_NAME        "9V-210")
set(T9V_DESCRIPTION         "Tessaro 9V-210")
set(T9V_COMPANY_NAME        "Tessaro")
set(T9V_MANUFACTURER_CODE   "TsrA")
set(T9V_PLUGIN_CODE         "TQx4")
set(T9V_VERSION             "1.0.2")
set(T9V_COMPANY_WEBSITE     "https://www.tessaro-audio.com")
set(T9V_COMPANY_EMAIL       "support@tessaro-audio.com")
set(T9V_BUNDLE_ID           "com.tessaro.9v210")
set(T9V_LV2_URI             "https://www.tessaro-audio.com/plugins/9v210")
set(T9V_AU_EXPORT_PREFIX    "Tessaro9VAU")
set(T9V_AAX_IDENTIFIER      "com.tessaro.9V-210")
# Equaliser (0x01) combined with harmonic/saturation (0x40): 0x41.
set(T9V_AAX_CATEGORY        ePlugInCategory_EQ ePlugInCategory_Harmonic)
set(T9V_VST3_CATEGORIES     "Fx")
set(T9V_VST2_CATEGORY       "kPlugCategEffect")
set(T9V_AU_MAIN_TYPE        "kAudioUnitType_Effect")
