#include "StateTable.h"
#include "Validator.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

namespace t9validate
{
namespace
{
juce::MemoryBlock save (juce::AudioPluginInstance& p)
{
    juce::MemoryBlock m;
    p.getStateInformation (m);
    return m;
}

// Restores and processes one block: some wrappers hand the values over only then.
void restore (juce::AudioPluginInstance& p, const juce::MemoryBlock& m)
{
    p.setStateInformation (m.getData(), static_cast<int> (m.getSize()));
    juce::AudioBuffer<float> b (2, 64);
    b.clear();
    juce::MidiBuffer midi;
    process (p, b, midi);
}

// The values as the plug-in itself reports them: the attributes of the state it saves.
// The same in every format (the framework's LV2 host never learns the plug-in's values,
// and its VST3 wrapper clamps them to 0..1).
using Values = std::vector<std::pair<juce::String, float>>;

Values pluginValues (Context& ctx, juce::AudioPluginInstance& p)
{
    Values values;
    const auto raw = ctx.host.extractPluginState (save (p));
    if (raw.getSize() < 9)
        return values;
    const auto text =
        juce::String::fromUTF8 (static_cast<const char*> (raw.getData()) + 8, static_cast<int> (raw.getSize()) - 9);
    if (const auto xml = juce::parseXML (text))
        for (int i = 0; i < xml->getNumAttributes(); ++i)
            if (xml->getAttributeName (i) != "Version")
                values.emplace_back (xml->getAttributeName (i),
                                     static_cast<float> (xml->getAttributeValue (i).getDoubleValue()));
    return values;
}

// What the host sees, without the framework's program parameter (programs are not state).
Values hostValues (juce::AudioPluginInstance& p)
{
    Values values;
    for (auto* param : p.getParameters())
        if (param->getName (64) != "Program")
            values.emplace_back (param->getName (64), param->getValue());
    return values;
}

juce::String firstDifference (const Values& expected, const Values& actual, float tolerance = 0.0f)
{
    if (expected.size() != actual.size())
        return juce::String (actual.size()) + " values instead of " + juce::String (expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        if (expected[i].first != actual[i].first || !(std::abs (expected[i].second - actual[i].second) <=
                                                      tolerance * std::max (1.0f, std::abs (expected[i].second))))
            return actual[i].first + " is " + juce::String (actual[i].second, 9) + " instead of " + expected[i].first +
                   " " + juce::String (expected[i].second, 9);
    return {};
}

void saveRandomiseRestore (Context& ctx)
{
    auto p = ctx.create();
    if (p == nullptr)
        return;
    for (int round = 0; round < 20; ++round)
    {
        randomiseParameters (ctx, *p);
        if (round % 4 == 0)
            selectProgram (*p, ctx.integer (0, p->getNumPrograms() - 1));
        restore (*p, save (*p)); // settle what the wrapper reports
        const auto saved = save (*p);
        const auto values = pluginValues (ctx, *p);
        const auto seen = hostValues (*p);
        ctx.expect (values.size() == pluginParameterCount,
                    "the saved state holds " + juce::String (values.size()) + " values");

        randomiseParameters (ctx, *p);
        restore (*p, save (*p));
        restore (*p, saved);
        auto difference = firstDifference (values, pluginValues (ctx, *p));
        if (difference.isEmpty() && !ctx.host.isLv2())
            difference = firstDifference (seen, hostValues (*p));
        const auto where = "round " + juce::String (round) + ": ";
        if (!ctx.expect (difference.isEmpty(), where + "after restoring, " + difference))
            return;
        if (!ctx.expect (save (*p) == saved, where + "saving again gives other bytes"))
            return;
    }
}

std::vector<juce::MemoryBlock> tableBlobs (Context& ctx, juce::AudioPluginInstance& p)
{
    std::vector<juce::MemoryBlock> blobs;
    for (const auto& e : stateTable::load (ctx.statesFolder, ctx.host.formatName()))
        blobs.push_back (ctx.host.wrapPluginState (p, e.blob));
    return blobs;
}

// The message thread restores states and changes programs while the audio thread runs.
void statesAndProgramsWhileProcessing (Context& ctx)
{
    auto p = ctx.create (48000.0, 128);
    if (p == nullptr)
        return;
    auto blobs = tableBlobs (ctx, *p);
    for (int i = 0; i < 4; ++i)
    {
        randomiseParameters (ctx, *p);
        restore (*p, save (*p));
        blobs.push_back (save (*p));
    }

    std::atomic<bool> done{ false };
    std::atomic<int> dirtyBlocks{ 0 };
    std::thread audio (
        [&, seed = ctx.random()]
        {
            std::mt19937 random (seed);
            std::uniform_real_distribution<float> sample (-0.5f, 0.5f);
            BlockBuffer buffer (2, 128);
            juce::MidiBuffer midi;
            for (int block = 0; block < 200000 && !done.load(); ++block)
            {
                auto& b = buffer.view (128);
                for (int c = 0; c < 2; ++c)
                    for (int i = 0; i < 128; ++i)
                        b.setSample (c, i, sample (random));
                process (*p, b, midi);
                if (!scan (b, 128).clean())
                    dirtyBlocks.fetch_add (1);
            }
        });

    for (int i = 0; i < 300; ++i)
    {
        if (ctx.integer (0, 1) == 0)
        {
            const auto& blob = blobs[static_cast<size_t> (ctx.integer (0, static_cast<int> (blobs.size()) - 1))];
            p->setStateInformation (blob.getData(), static_cast<int> (blob.getSize()));
        }
        else
        {
            const int program = ctx.integer (0, p->getNumPrograms() - 1);
            p->setCurrentProgram (program);
            ctx.expect (p->getCurrentProgram() == program, "program " + juce::String (program) + " reads back as " +
                                                               juce::String (p->getCurrentProgram()));
        }
        std::this_thread::yield();
    }
    done.store (true);
    audio.join();
    ctx.expect (dirtyBlocks.load() == 0,
                juce::String (dirtyBlocks.load()) + " blocks with non-finite or subnormal samples");
}

// Blobs saved by earlier builds restore to the values recorded with them.
void savedStateTable (Context& ctx)
{
    const auto entries = stateTable::load (ctx.statesFolder, ctx.host.formatName());
    if (!ctx.expect (!entries.empty(), "no saved states in " + ctx.statesFolder.getFullPathName()))
        return;
    for (const auto& e : entries)
    {
        auto p = ctx.create();
        if (p == nullptr)
            return;
        restore (*p, ctx.host.wrapPluginState (*p, e.blob));
        const auto values = pluginValues (ctx, *p);
        if (!ctx.expect (!e.values.empty(), e.name + ": no values recorded for " + ctx.host.formatName()))
            continue;
        // The gain laws round in single precision: a value read back may move by an ulp.
        constexpr float tolerance = 1e-6f;
        const auto difference = firstDifference (e.values, values, tolerance);
        ctx.expect (difference.isEmpty(), e.name + ": " + difference);

        // A state a host can produce (every value within 0..1) survives saving and
        // restoring again. Out-of-range values go through the laws unclamped, and those
        // are not meant to be idempotent (a negative step wraps around).
        const bool inRange =
            std::all_of (values.begin(), values.end(),
                         [] (const auto& v) { return v.second >= -tolerance && v.second <= 1.0f + tolerance; });
        if (!inRange)
            continue;
        const auto resaved = ctx.host.extractPluginState (save (*p));
        auto q = ctx.create();
        if (q == nullptr)
            return;
        restore (*q, ctx.host.wrapPluginState (*q, resaved));
        const auto again = firstDifference (values, pluginValues (ctx, *q), tolerance);
        ctx.expect (again.isEmpty(), e.name + ": its re-saved state restores to other values: " + again);
    }
}
} // namespace

std::vector<Check> stateChecks()
{
    return {
        { "save, randomise, restore; save again", saveRandomiseRestore },
        { "states and programs set while processing", statesAndProgramsWhileProcessing },
        { "saved states of earlier builds", savedStateTable },
    };
}

bool writeStateTable (Context& ctx, const juce::File& folder)
{
    if (!folder.createDirectory())
        return false;
    std::vector<stateTable::Entry> entries;

    // What the plug-in itself saves: a new instance and a few programs.
    const auto fromPlugin = [&] (const juce::String& name, int program)
    {
        auto p = ctx.create();
        if (p == nullptr)
            return;
        if (program >= 0)
            selectProgram (*p, program);
        restore (*p, save (*p));
        entries.push_back ({ name, ctx.host.extractPluginState (save (*p)), {} });
    };
    fromPlugin ("default", -1);
    fromPlugin ("program-01", 1);
    fromPlugin ("program-05", 5);
    fromPlugin ("program-09", 9);

    // Valid containers with hostile contents.
    const juce::String tag = "QVA9V210SETTINGS";
    entries.push_back ({ "lowercase-tag",
                         stateTable::container ("<qva9v210settings Version=\"1.0.2\" Gain=\"0.708\" HiBoost=\"0.25\" "
                                                "Eq=\"0\" LPOn=\"1\" LP=\"0.6\"/>"),
                         {} });
    entries.push_back (
        { "missing-attributes", stateTable::container ("<" + tag + " HiBoost=\"0.9\" HP=\"0.3\" HPOn=\"1\"/>"), {} });
    entries.push_back ({ "out-of-range",
                         stateTable::container ("<" + tag +
                                                " Version=\"1.0.2\" Gain=\"1.7\" Output=\"-2\" "
                                                "HiFreq=\"-1\" LowFreq=\"3\" LP=\"3\" LPSlope=\"1.2\" "
                                                "HP=\"-0.5\" HPSlope=\"5\" Bypass=\"0.1\" Pol=\"0.4\"/>"),
                         {} });
    entries.push_back ({ "other-version-and-names",
                         stateTable::container ("<" + tag +
                                                " Version=\"0.9.7\" gain=\"0.9\" Gain=\"0.25\" "
                                                "Colour=\"blue\" Analog=\"0\"/>"),
                         {} });
    entries.push_back ({ "length-beyond-data",
                         stateTable::container ("<" + tag + " Gain=\"0.6\" Output=\"0.4\" LowBoost=\"0.75\"/>", 100000),
                         {} });
    entries.push_back ({ "odd-numbers",
                         stateTable::container ("<" + tag +
                                                " Gain=\"1e-30\" Output=\"-0\" HiBoost=\" 0.5\" "
                                                "LowBoost=\"abc\" LP=\"0.5x\" HP=\"+0.25\" "
                                                "LowFreq=\"0.24999999\" HPOn=\"0.5\"/>"),
                         {} });
    entries.push_back ({ "long-digits",
                         stateTable::container ("<" + tag +
                                                " Gain=\"0.70800000429153442383\" "
                                                "HiBoost=\"0.65149998664855957031\" "
                                                "LP=\"0.76399993896484375\" LPOn=\"1\" HPOn=\"1\" "
                                                "HP=\"0.48799997568130493164\"/>"),
                         {} });

    bool ok = true;
    for (auto& e : entries)
    {
        // A blob already in the table stays as it is; only this format's values are added.
        const auto existing = folder.getChildFile (e.name + ".bin");
        if (existing.existsAsFile())
        {
            e.blob.reset(); // loadFileAsData appends
            existing.loadFileAsData (e.blob);
        }
        auto p = ctx.create();
        if (p == nullptr)
            return false;
        restore (*p, ctx.host.wrapPluginState (*p, e.blob));
        e.values = pluginValues (ctx, *p);
        ok = stateTable::save (folder, ctx.host.formatName(), e) && ok;
    }
    return ok;
}
} // namespace t9validate
