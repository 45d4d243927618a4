#include "PluginHost.h"

#include "RealtimeProbe.h"

#include <link.h>

namespace t9validate
{
namespace
{
// The plug-in URI named by the bundle's manifest: the subject of "a lv2:Plugin".
juce::String lv2UriOf (const juce::File& bundle)
{
    const auto text = bundle.getChildFile ("manifest.ttl").loadFileAsString();
    const int type = text.indexOf ("a lv2:Plugin");
    if (type < 0)
        return {};
    const auto before = text.substring (0, type);
    return before.fromLastOccurrenceOf ("<", false, false).upToFirstOccurrenceOf (">", false, false);
}

// The LV2 host keeps the plug-in's blob as one string literal in the framework's own
// base64 encoding, "<size>.<characters>". Returns its range inside the quotes, or {-1, -1}.
std::pair<int, int> findStateLiteral (const juce::String& text)
{
    for (int quote = text.indexOfChar ('"'); quote >= 0; quote = text.indexOfChar (quote + 1, '"'))
    {
        int i = quote + 1;
        while (i < text.length() && juce::CharacterFunctions::isDigit (text[i]))
            ++i;
        if (i == quote + 1 || i >= text.length() || text[i] != '.')
            continue;
        const int end = text.indexOfChar (i, '"');
        if (end > i && text.substring (i + 1, end)
                           .containsOnly ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.+"))
            return { quote + 1, end };
    }
    return { -1, -1 };
}
} // namespace

PluginHost::PluginHost (const juce::File& bundleIn) : bundle (bundleIn)
{
    lv2 = bundle.getFileExtension() == ".lv2";
    juce::OwnedArray<juce::PluginDescription> types;
    juce::String identifier = bundle.getFullPathName();

    if (lv2)
    {
        format = std::make_unique<juce::LV2PluginFormat>();
        format->searchPathsForPlugins (juce::FileSearchPath (bundle.getParentDirectory().getFullPathName()), false,
                                       false);
        identifier = lv2UriOf (bundle);
    }
    else
    {
        format = std::make_unique<juce::VST3PluginFormat>();
    }

    format->findAllTypesForFile (types, identifier);
    if (types.isEmpty())
        error = "no plug-in found in " + bundle.getFullPathName() + " (" + identifier + ")";
    else
        description = std::make_unique<juce::PluginDescription> (*types[0]);
}

std::unique_ptr<juce::AudioPluginInstance> PluginHost::create (double sampleRate, int blockSize, juce::String& whyNot)
{
    if (description == nullptr)
    {
        whyNot = error;
        return nullptr;
    }
    auto instance = format->createInstanceFromDescription (*description, sampleRate, blockSize, whyNot);
    if (instance == nullptr)
        return nullptr;

    instance->enableAllBuses();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (juce::AudioChannelSet::stereo());
    layout.outputBuses.add (juce::AudioChannelSet::stereo());
    if (!instance->setBusesLayout (layout))
    {
        whyNot = "stereo layout refused";
        return nullptr;
    }
    prepare (*instance, sampleRate, blockSize);
    return instance;
}

juce::String PluginHost::expectedModulePath() const
{
    return lv2 ? bundle.getChildFile ("lib9V-210.so").getFullPathName()
               : bundle.getChildFile ("Contents/x86_64-linux/9V-210.so").getFullPathName();
}

juce::String PluginHost::loadedModulePath() const
{
    struct Search
    {
        std::string wanted, found;
    } search{ expectedModulePath().toStdString(), {} };

    dl_iterate_phdr (
        [] (dl_phdr_info* info, size_t, void* data)
        {
            auto& s = *static_cast<Search*> (data);
            const std::string name = info->dlpi_name != nullptr ? info->dlpi_name : "";
            const auto leaf = juce::File (s.wanted).getFileName().toStdString();
            if (name.size() >= leaf.size() && name.compare (name.size() - leaf.size(), leaf.size(), leaf) == 0)
                s.found = name;
            return 0;
        },
        &search);
    return juce::String (search.found);
}

juce::MemoryBlock PluginHost::extractPluginState (const juce::MemoryBlock& hostState) const
{
    juce::MemoryBlock raw;
    if (lv2)
    {
        const auto text = juce::String::fromUTF8 (static_cast<const char*> (hostState.getData()),
                                                  static_cast<int> (hostState.getSize()));
        const auto [start, end] = findStateLiteral (text);
        if (start >= 0)
            raw.fromBase64Encoding (text.substring (start, end));
        return raw;
    }

    const auto xml =
        juce::AudioProcessor::getXmlFromBinary (hostState.getData(), static_cast<int> (hostState.getSize()));
    if (xml == nullptr || xml->getChildByName ("IComponent") == nullptr)
        return raw;
    raw.fromBase64Encoding (xml->getChildByName ("IComponent")->getAllSubText());

    // The framework's VST3 wrapper appends its own data: 8 zero bytes, a private block,
    // its 64-bit size and a fixed identifier. Keep what precedes it.
    const juce::String id ("JUCEPrivateData");
    const auto idSize = static_cast<size_t> (id.length());
    if (raw.getSize() >= idSize + 16 &&
        juce::String::fromUTF8 (static_cast<const char*> (raw.getData()) + raw.getSize() - idSize,
                                static_cast<int> (idSize)) == id)
    {
        juce::uint64 privateSize = 0;
        std::memcpy (&privateSize, static_cast<const char*> (raw.getData()) + raw.getSize() - idSize - 8, 8);
        const auto trailer = 8 + privateSize + 8 + idSize;
        if (trailer <= raw.getSize())
            raw.setSize (raw.getSize() - trailer);
    }

    // With VST2-compatible class IDs the wrapper puts a VST2 preset-chunk header in front
    // of our blob: start at the blob's own magic ("VC2!").
    const auto* bytes = static_cast<const char*> (raw.getData());
    for (size_t i = 0; i + 4 <= raw.getSize(); ++i)
        if (std::memcmp (bytes + i, "VC2!", 4) == 0)
        {
            if (i > 0)
                raw.removeSection (0, i);
            break;
        }
    return raw;
}

juce::MemoryBlock PluginHost::wrapPluginState (juce::AudioPluginInstance& instance,
                                               const juce::MemoryBlock& pluginState) const
{
    juce::MemoryBlock hostState;
    if (lv2)
    {
        // The host's own document of this instance, with our blob in place of its own.
        juce::MemoryBlock current;
        instance.getStateInformation (current);
        const auto text =
            juce::String::fromUTF8 (static_cast<const char*> (current.getData()), static_cast<int> (current.getSize()));
        const auto [start, end] = findStateLiteral (text);
        if (start < 0)
            return hostState;
        const auto replaced = text.substring (0, start) + pluginState.toBase64Encoding() + text.substring (end);
        hostState.append (replaced.toRawUTF8(), replaced.getNumBytesAsUTF8());
        return hostState;
    }

    juce::XmlElement xml ("VST3PluginState");
    xml.createNewChildElement ("IComponent")->addTextElement (pluginState.toBase64Encoding());
    juce::AudioProcessor::copyXmlToBinary (xml, hostState);
    return hostState;
}

void prepare (juce::AudioPluginInstance& p, double sampleRate, int blockSize)
{
    // Not setRateAndBufferSizeDetails first: the framework's VST3 host skips a repeated
    // prepareToPlay of an active plug-in when rate and block size already match, so a
    // second prepare with a larger block would leave the plug-in sized for the old one.
    p.prepareToPlay (sampleRate, blockSize);
}

void process (juce::AudioPluginInstance& p, juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    midi.clear();
    rt::AudioCall scope;
    p.processBlock (buffer, midi);
}

std::vector<float> parameterValues (juce::AudioPluginInstance& p)
{
    std::vector<float> values;
    for (auto* param : p.getParameters())
        values.push_back (param->getValue());
    return values;
}

std::vector<juce::String> parameterNames (juce::AudioPluginInstance& p)
{
    std::vector<juce::String> names;
    for (auto* param : p.getParameters())
        names.push_back (param->getName (128));
    return names;
}
} // namespace t9validate
