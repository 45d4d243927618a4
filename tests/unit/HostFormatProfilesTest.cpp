// What the formats that cannot be built here (AU, VST 2.4, AAX, RTAS) are told, and the
// VST3 class identifiers derived from the VST2 unique ID.
#include "plugin/HostFormatProfiles.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Tessaro9V;
using namespace Tessaro9V::formats;

namespace
{
constexpr uint32_t TsrA = 0x54737241, TQx4 = 0x54517834;
constexpr uint32_t jcaa = 0x6a636161, jyaa = 0x6a796161;

const uint8_t componentId[16] = { 0x56, 0x53, 0x54, 0x54, 0x51, 0x78, 0x34, 0x39,
                                  0x76, 0x2d, 0x32, 0x31, 0x30, 0x00, 0x00, 0x00 };
} // namespace

TEST (HostFormatProfiles, Vst3ClassIdsDeriveFromTheVst2UniqueId)
{
    EXPECT_EQ (classIds::toHex (classIds::component), "5653545451783439762D323130000000");
    EXPECT_EQ (classIds::toHex (classIds::controller), "5653455451783439762D323130000000");
    // Upper case folds to lower; the tenth name byte onwards plays no part.
    EXPECT_EQ (classIds::toHex (classIds::derive (0x01020304, "AbCdEfGhIjKl", false)),
               "56535401020304616263646566676869");
}

TEST (HostFormatProfiles, AudioUnit)
{
    const auto channels = au::supportedChannels();
    ASSERT_EQ (channels.size(), 2u);
    EXPECT_EQ (channels[0].inChannels, 2);
    EXPECT_EQ (channels[0].outChannels, 2);
    EXPECT_EQ (channels[1].inChannels, 1);
    EXPECT_EQ (channels[1].outChannels, 1);

    EXPECT_EQ (au::initialise (2, 2), 0);
    EXPECT_EQ (au::initialise (1, 1), 0);
    for (const auto& [in, out] : { std::pair{ 1, 2 }, { 2, 1 }, { 0, 0 }, { 0, 2 }, { 6, 6 }, { -1, -1 } })
        EXPECT_EQ (au::initialise (in, out), -10868) << in << "/" << out;

    EXPECT_EQ (au::mainType, 0x61756678u); // 'aufx'
    EXPECT_EQ (au::componentVersion, 0x10002u);
    const auto view = au::viewDescription();
    EXPECT_EQ (view.type, 0x61757677u); // 'auvw'
    EXPECT_EQ (view.subType, TQx4);
    EXPECT_EQ (view.manufacturer, TsrA);
    EXPECT_STREQ (au::cocoaViewFactoryName(), "9V-210");
    const auto entries = au::entryPointNames();
    EXPECT_EQ (entries[0], "Tessaro9VAUEntry");
    EXPECT_EQ (entries[1], "Tessaro9VAUFactory");
    EXPECT_EQ (entries[2], "Tessaro9VAUViewEntry");

    t9test::Harness h;
    EXPECT_EQ (au::latencySeconds (h.processor), 0.0);
    EXPECT_EQ (au::tailSeconds (h.processor), 0.0);
}

TEST (HostFormatProfiles, Vst2EffectRecordAndNames)
{
    T9v210AudioProcessor p;
    const auto record = vst2::effectRecord (p);
    EXPECT_EQ (record.numPrograms, 11);
    EXPECT_EQ (record.numParams, 17);
    EXPECT_EQ (record.numInputs, 2);
    EXPECT_EQ (record.numOutputs, 2);
    // has editor (1), replacing (16), program chunks (32), no sound in stop (512); no synth (256)
    EXPECT_EQ (record.flags, 1 | 16 | 32 | 512);
    EXPECT_EQ (record.initialDelay, 0);
    EXPECT_EQ (static_cast<uint32_t> (record.uniqueId), TQx4);
    EXPECT_EQ (record.version, 102);
    EXPECT_EQ (vst2::vendorVersion(), 102);
    EXPECT_EQ (vst2::category, 1);

    for (const auto& [query, expected] : { std::pair{ vst2::NameQuery::effectName, "9V-210" },
                                           { vst2::NameQuery::productString, "9V-210" },
                                           { vst2::NameQuery::vendorString, "Tessaro" } })
    {
        char buffer[80];
        std::memset (buffer, 0x7f, sizeof (buffer));
        vst2::copyName (query, buffer);
        EXPECT_STREQ (buffer, expected);
        for (size_t i = std::strlen (expected) + 1; i < sizeof (buffer); ++i)
            ASSERT_EQ (buffer[i], 0x7f) << "wrote past the name at " << i;
    }
}

TEST (HostFormatProfiles, Vst2CapabilitiesAndVendorRequests)
{
    vst2::CapabilityResponder responder;
    const std::pair<const char*, intptr_t> answers[] = {
        { "receiveVstEvents", -1 },
        { "receiveVstMidiEvent", -1 },
        { "receiveVstMidiEvents", -1 },
        { "sendVstEvents", -1 },
        { "sendVstMidiEvent", -1 },
        { "sendVstMidiEvents", -1 },
        { "receiveVstTimeInfo", 1 },
        { "conformsToWindowRules", 1 },
        { "bypass", 1 },
        { "openCloseAnyThread", -1 },
        { "offline", 0 },
        { "Bypass", 0 },
        { "", 0 },
        { "plugAsChannelInsert", 0 },
    };
    for (const auto& [query, expected] : answers)
        EXPECT_EQ (responder.canDo (query), expected) << query;
    EXPECT_EQ (responder.canDo (nullptr), 0);
    EXPECT_FALSE (responder.askedForCockosView);
    EXPECT_EQ (responder.canDo ("hasCockosViewAsConfig"), static_cast<intptr_t> (0xbeef0000));
    EXPECT_TRUE (responder.askedForCockosView);

    for (const uint32_t index : { 0x73744341u /* stCA */, 0x73744361u /* stCa */ })
    {
        uint8_t buffer[16] = {};
        EXPECT_EQ (vst2::vendorSpecific (static_cast<int32_t> (index), 0x46554944 /* FUID */, buffer), 1);
        EXPECT_EQ (std::memcmp (buffer, componentId, 16), 0);
    }
    uint8_t untouched[16] = {};
    EXPECT_EQ (vst2::vendorSpecific (0x73744341, 0x46554945, untouched), 0);
    EXPECT_EQ (vst2::vendorSpecific (0x73744342, 0x46554944, untouched), 0);
    EXPECT_EQ (vst2::vendorSpecific (0x73744341, 0x46554944, nullptr), 0);
    const uint8_t zeros[16] = {};
    EXPECT_EQ (std::memcmp (untouched, zeros, 16), 0);
    EXPECT_EQ (vst2::setBypassAnswer, 1);
}

TEST (HostFormatProfiles, AaxComponentsAndIds)
{
    EXPECT_EQ (aax::category, 0x41u);
    EXPECT_STREQ (aax::effectNames()[0], "Tessaro 9V-210");
    EXPECT_STREQ (aax::effectNames()[1], "9V-210");
    EXPECT_EQ (aax::packageVersion, 0x10002u);
    EXPECT_STREQ (identity::aaxIdentifier, "com.tessaro.9V-210");

    const auto components = aax::components();
    ASSERT_EQ (components.size(), 2u);
    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE (i);
        const auto& c = components[static_cast<size_t> (i)];
        const int channels = i == 0 ? 2 : 1;
        const auto stem = static_cast<int64_t> (i == 0 ? aax::StemFormat::stereo : aax::StemFormat::mono);
        EXPECT_EQ (c.configurationIndex, i);
        EXPECT_EQ (c.inputs, channels);
        EXPECT_EQ (c.outputs, channels);
        using P = aax::Property;
        const std::vector<std::pair<P, int64_t>> expected{
            { P::manufacturerId, TsrA },         { P::productId, TQx4 },        { P::canBypass, 1 },
            { P::inputStemFormat, stem },        { P::outputStemFormat, stem }, { P::nativePluginId, jcaa + i },
            { P::audioSuitePluginId, jyaa + i }, { P::multiMonoSupport, 0 },
        };
        ASSERT_EQ (c.properties.size(), expected.size());
        for (size_t k = 0; k < expected.size(); ++k)
        {
            EXPECT_EQ (c.properties[k].property, expected[k].first) << k;
            EXPECT_EQ (c.properties[k].value, expected[k].second) << k;
        }
    }

    // The processor answers the framework's AAX wrapper with the same IDs.
    T9v210AudioProcessor p;
    const auto stereo = juce::AudioChannelSet::stereo(), mono = juce::AudioChannelSet::mono();
    EXPECT_EQ (static_cast<uint32_t> (p.getAAXPluginIDForMainBusConfig (stereo, stereo, false)), jcaa);
    EXPECT_EQ (static_cast<uint32_t> (p.getAAXPluginIDForMainBusConfig (mono, mono, false)), jcaa + 1);
    EXPECT_EQ (static_cast<uint32_t> (p.getAAXPluginIDForMainBusConfig (stereo, stereo, true)), jyaa);
    EXPECT_EQ (static_cast<uint32_t> (p.getAAXPluginIDForMainBusConfig (mono, mono, true)), jyaa + 1);
}

TEST (HostFormatProfiles, AaxMasterBypassNamesAndParameters)
{
    const std::pair<int, const char*> names[] = {
        { 1, "MByp" },     { 4, "MByp" },      { 5, "MByp" },           { 6, "MstByp" },        { 7, "MstByp" },
        { 8, "Mast Byp" }, { 12, "Mast Byp" }, { 13, "Master Bypass" }, { 31, "Master Bypass" }
    };
    for (const auto& [length, name] : names)
        EXPECT_EQ (aax::masterBypassName (length), name) << length;
    for (const int length : { 3, 7, 8, 32 })
        EXPECT_EQ (aax::masterBypassValueText (false, length), "Off") << length;
    EXPECT_EQ (aax::masterBypassValueText (true, 3), "Byp");
    EXPECT_EQ (aax::masterBypassValueText (true, 7), "Byp");
    EXPECT_EQ (aax::masterBypassValueText (true, 8), "Bypassed");

    T9v210AudioProcessor p;
    const auto parameters = aax::parameters (p);
    ASSERT_EQ (parameters.size(), 18u);
    EXPECT_EQ (parameters[0].id, "MasterBypassID");
    EXPECT_EQ (parameters[0].name, "Master Bypass");
    EXPECT_TRUE (parameters[0].isMasterBypass);
    EXPECT_EQ (parameters[0].defaultValue, 0.0f);
    EXPECT_EQ (parameters[1].id, "0");
    EXPECT_EQ (parameters[1].name, "Input gain");
    EXPECT_EQ (parameters[1].shortName, "Inpu");
    EXPECT_EQ (parameters[1].defaultValue, 0.5f);
    EXPECT_EQ (parameters[14].name, "Highpass frequency");
    EXPECT_EQ (parameters[12].id, "11");
    EXPECT_EQ (parameters[12].defaultValue, 0.0f); // slopes report step 0 as their default
    EXPECT_EQ (parameters[17].id, "16");
    EXPECT_EQ (parameters[17].shortName, "Bypa");
    EXPECT_FALSE (parameters[17].isMasterBypass);
}

TEST (HostFormatProfiles, RtasEffectTypesAndControls)
{
    EXPECT_EQ (rtas::name(), "9V-210\nTessaro 9V-210");
    const auto group = rtas::processGroup();
    EXPECT_EQ (group.manufacturerName, "Tessaro");
    EXPECT_EQ (group.manufacturerId, TsrA);
    EXPECT_EQ (group.pluginNames, "9V-210\nTessaro 9V-210");
    EXPECT_EQ (group.version, 0x10002u);

    const auto types = rtas::effectTypes();
    const auto components = aax::components();
    ASSERT_EQ (types.size(), 2u);
    for (size_t i = 0; i < 2; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (types[i].typeId, jcaa + i);
        EXPECT_EQ (static_cast<int64_t> (types[i].typeId), components[i].properties[5].value); // AAX native ID
        EXPECT_EQ (types[i].productId, TQx4);
        EXPECT_EQ (types[i].category, 65);
        EXPECT_EQ (types[i].names, "9V-210\nTessaro 9V-210");
        const auto stem = i == 0 ? aax::StemFormat::stereo : aax::StemFormat::mono;
        EXPECT_EQ (types[i].inputStem, stem);
        EXPECT_EQ (types[i].outputStem, stem);
    }

    T9v210AudioProcessor p;
    const auto controls = rtas::controls (p);
    ASSERT_EQ (controls.size(), 18u);
    EXPECT_EQ (controls[0].id, 0x62797061u); // 'bypa'
    EXPECT_EQ (controls[0].names, "Master Bypass\nMastrByp\nMByp\nByp");
    EXPECT_TRUE (controls[0].isMasterBypass);
    EXPECT_TRUE (controls[0].automatable);
    EXPECT_EQ (controls[0].defaultValue, 0.0f);
    EXPECT_EQ (controls[1].names, "Input gain");
    EXPECT_EQ (controls[17].names, "Bypass");
    EXPECT_FALSE (controls[17].isMasterBypass);
}

TEST (HostFormatProfiles, VersionInEveryFormat)
{
    EXPECT_EQ (vst2::versionNumber(), 102);
    EXPECT_EQ (au::componentVersion, 0x10002u);
    EXPECT_EQ (aax::packageVersion, 0x10002u);
    EXPECT_EQ (rtas::processGroupVersion, 0x10002u);
    EXPECT_STREQ (identity::version, "1.0.2");
}

TEST (HostFormatProfiles, HostBypassPassesTheInputThrough)
{
    for (const int channels : { 2, 1 })
    {
        t9test::Harness h (channels, channels);
        ASSERT_TRUE (h.layoutAccepted);
        juce::MidiBuffer midi;
        auto buffer = t9test::sineBuffer (channels, 512, 300.0, 48000.0, 0.5f);
        const auto input = buffer;
        runBlock (h.processor, buffer, midi, true);
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < 512; ++i)
                ASSERT_EQ (buffer.getSample (c, i), input.getSample (c, i));

        // Without the host's bypass the chain runs: the analog noise alone changes samples.
        runBlock (h.processor, buffer, midi, false);
        bool changed = false;
        for (int i = 0; i < 512 && !changed; ++i)
            changed = buffer.getSample (0, i) != input.getSample (0, i);
        EXPECT_TRUE (changed);
    }
}
