#include "PluginHost.h"

#include "HostEnvironment.h"

#include <cstring>

namespace t9vhost
{
namespace
{
// The attribute names of the saved state, by parameter index.
constexpr std::array<const char*, numPluginParameters> shortNames{ "Gain",     "Output",  "Link", "HiBoost", "HiFreq",
                                                                   "LowBoost", "LowFreq", "Eq",   "Pol",     "Analog",
                                                                   "LP",       "LPSlope", "LPOn", "HP",      "HPSlope",
                                                                   "HPOn",     "Bypass" };

constexpr char containerMagic[4] = { 'V', 'C', '2', '!' };

// The wrapper's program selector, as JUCE's VST3 host presents it: one step per program.
bool isProgramSelector (const juce::AudioProcessorParameter& p)
{
    return p.getName (64) == "Program" && p.getNumSteps() == 11;
}

// Cuts the plug-in's own container (magic, length, text, zero byte) out of whatever a
// format wraps around it.
juce::MemoryBlock findContainer (const juce::MemoryBlock& data)
{
    const auto* bytes = static_cast<const char*> (data.getData());
    const auto size = data.getSize();
    for (size_t offset = 0; offset + 9 <= size; ++offset)
    {
        if (std::memcmp (bytes + offset, containerMagic, 4) != 0)
            continue;
        const auto length = static_cast<size_t> (juce::ByteOrder::littleEndianInt (bytes + offset + 4));
        const auto end = std::min (size, offset + 9 + length);
        return juce::MemoryBlock (bytes + offset, end - offset);
    }
    return {};
}

// The LV2 wrapper keeps the container as a base64 string literal after its StateString key.
struct Lv2StateLiteral
{
    int start = -1, end = -1; // the characters between the quotes
};

Lv2StateLiteral findStateLiteral (const juce::String& turtle)
{
    const int key = turtle.indexOf ("StateString");
    if (key < 0)
        return {};
    const int open = turtle.indexOfChar (key, '"');
    const int close = open < 0 ? -1 : turtle.indexOfChar (open + 1, '"');
    if (close < 0)
        return {};
    return { open + 1, close };
}

juce::File bundle (Format format) { return juce::File (format == Format::vst3 ? T9V_VST3_BUNDLE : T9V_LV2_BUNDLE); }
} // namespace

std::string formatName (Format format) { return format == Format::vst3 ? "VST3" : "LV2"; }

juce::AudioProcessor::BusesLayout layout (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out)
{
    juce::AudioProcessor::BusesLayout l;
    l.inputBuses.add (in);
    l.outputBuses.add (out);
    return l;
}

HostedPlugin load (Format format, juce::String& error)
{
    HostedPlugin plugin;
    auto& host = hostFormat (format == Format::vst3 ? "VST3" : "LV2");
    const auto path = bundle (format);
    if (!path.isDirectory())
    {
        error = "no bundle at " + path.getFullPathName();
        return plugin;
    }

    juce::OwnedArray<juce::PluginDescription> types;
    if (format == Format::vst3)
    {
        host.findAllTypesForFile (types, path.getFullPathName());
    }
    else
    {
        // Only the folder of the bundle under test is searched (HOME points to an empty
        // folder, see HostEnvironment), so no installed copy can stand in for it.
        static const bool searched = [&]
        {
            host.searchPathsForPlugins (juce::FileSearchPath (path.getParentDirectory().getFullPathName()), false,
                                        false);
            return true;
        }();
        juce::ignoreUnused (searched);
        host.findAllTypesForFile (types, T9V_LV2_URI);
    }
    if (types.size() != 1)
    {
        error = "expected one plug-in in " + path.getFullPathName() + ", found " + juce::String (types.size());
        return plugin;
    }

    plugin.instance = host.createInstanceFromDescription (*types[0], sampleRate, blockSize, error);
    if (plugin.instance == nullptr)
        return plugin;

    auto* bypass = plugin.instance->getBypassParameter();
    for (auto* p : plugin.instance->getParameters())
    {
        if (p == bypass)
            plugin.added.emplace_back (p, "host bypass \"" + p->getName (64).toStdString() + "\"");
        else if (isProgramSelector (*p))
            plugin.added.emplace_back (p, "program selector \"" + p->getName (64).toStdString() + "\"");
        else
            plugin.own.push_back (p);
    }

    // JUCE's LV2 host lists parameters sorted by their URIs; the plug-in's index order is
    // the order of the short names that end those URIs.
    if (format == Format::lv2)
    {
        std::vector<juce::AudioProcessorParameter*> byIndex;
        for (const auto* shortName : shortNames)
            for (auto* p : plugin.own)
                if (auto* hosted = dynamic_cast<juce::HostedAudioProcessorParameter*> (p))
                    if (hosted->getParameterID().endsWith (juce::String (":") + shortName))
                        byIndex.push_back (p);
        if (byIndex.size() == plugin.own.size())
            plugin.own = std::move (byIndex);
    }

    if (!plugin.prepare())
        error = "the stereo layout was refused";
    return plugin;
}

bool HostedPlugin::prepare (const juce::AudioProcessor::BusesLayout& wanted)
{
    instance->releaseResources();
    if (!instance->setBusesLayout (wanted))
        return false;
    instance->prepareToPlay (sampleRate, blockSize);
    return true;
}

bool HostedPlugin::prepare()
{
    return prepare (layout (juce::AudioChannelSet::stereo(), juce::AudioChannelSet::stereo()));
}

void HostedPlugin::set (int index, float value) { parameter (index).setValue (value); }

void HostedPlugin::settle()
{
    const int channels = juce::jmax (instance->getTotalNumInputChannels(), instance->getTotalNumOutputChannels());
    juce::AudioBuffer<float> silence (channels, blockSize);
    silence.clear();
    process (silence);
}

void HostedPlugin::process (juce::AudioBuffer<float>& buffer)
{
    juce::MidiBuffer midi;
    instance->processBlock (buffer, midi);
}

juce::MemoryBlock HostedPlugin::pluginState()
{
    juce::MemoryBlock hostState;
    instance->getStateInformation (hostState);

    if (auto xml = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), static_cast<int> (hostState.getSize())))
    {
        // VST3: the component's state travels base64-encoded in an "IComponent" element.
        juce::MemoryBlock component;
        if (auto* element = xml->getChildByName ("IComponent"))
            component.fromBase64Encoding (element->getAllSubText());
        return findContainer (component);
    }

    const auto turtle = hostState.toString();
    const auto literal = findStateLiteral (turtle);
    if (literal.start < 0)
        return {};
    juce::MemoryBlock decoded;
    decoded.fromBase64Encoding (turtle.substring (literal.start, literal.end));
    return findContainer (decoded);
}

void HostedPlugin::restorePluginState (const juce::MemoryBlock& container)
{
    juce::MemoryBlock hostState;
    instance->getStateInformation (hostState);

    if (auto xml = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), static_cast<int> (hostState.getSize())))
    {
        // The wrapper reads a bare container as well as its own framed form.
        if (auto* element = xml->getChildByName ("IComponent"))
        {
            element->deleteAllTextElements();
            element->addTextElement (container.toBase64Encoding());
        }
        juce::MemoryBlock replaced;
        juce::AudioProcessor::copyXmlToBinary (*xml, replaced);
        instance->setStateInformation (replaced.getData(), static_cast<int> (replaced.getSize()));
    }
    else
    {
        const auto turtle = hostState.toString();
        const auto literal = findStateLiteral (turtle);
        if (literal.start < 0)
            return;
        const auto replaced =
            turtle.replaceSection (literal.start, literal.end - literal.start, container.toBase64Encoding());
        instance->setStateInformation (replaced.toRawUTF8(), static_cast<int> (replaced.getNumBytesAsUTF8()));
    }
    settle();
}

Values HostedPlugin::savedValues()
{
    const auto values = valuesInContainer (pluginState());
    return values ? *values : Values{};
}

Values HostedPlugin::hostValues() const
{
    Values values{};
    for (int i = 0; i < numPluginParameters && i < static_cast<int> (own.size()); ++i)
        values[static_cast<size_t> (i)] = parameter (i).getValue();
    return values;
}

std::optional<Values> valuesInContainer (const juce::MemoryBlock& container)
{
    if (container.getSize() < 9)
        return std::nullopt;
    const auto* bytes = static_cast<const char*> (container.getData());
    const auto length =
        juce::jmin (static_cast<size_t> (juce::ByteOrder::littleEndianInt (bytes + 4)), container.getSize() - 8);
    const auto xml = juce::XmlDocument::parse (juce::String::fromUTF8 (bytes + 8, static_cast<int> (length)));
    if (xml == nullptr)
        return std::nullopt;

    Values values{};
    for (size_t i = 0; i < shortNames.size(); ++i)
    {
        if (!xml->hasAttribute (shortNames[i]))
            return std::nullopt;
        values[i] = static_cast<float> (xml->getDoubleAttribute (shortNames[i]));
    }
    return values;
}
} // namespace t9vhost
