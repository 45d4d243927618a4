#include "ProcessorSetup.h"

namespace t9render
{
namespace
{
constexpr juce::uint32 stateMagic = 0x21324356; // "VC2!" little-endian
constexpr const char* stateTag = "QVA9V210SETTINGS";

juce::String collapseSpaces (const juce::String& text)
{
    auto words = juce::StringArray::fromTokens (text, " \t", "");
    words.removeEmptyStrings();
    return words.joinIntoString (" ");
}

// Frames an XML text the way the processor's saved state does: magic, length, text, zero.
juce::MemoryBlock containerFor (const juce::String& xmlText)
{
    juce::MemoryOutputStream out;
    const auto utf8 = xmlText.toRawUTF8();
    const auto length = static_cast<juce::uint32> (std::strlen (utf8));
    out.writeInt (static_cast<int> (stateMagic));
    out.writeInt (static_cast<int> (length));
    out.write (utf8, length);
    out.writeByte (0);
    return out.getMemoryBlock();
}

bool isOurTag (const juce::XmlElement& element) { return element.getTagName().equalsIgnoreCase (stateTag); }
} // namespace

int findParameter (Processor& processor, const juce::String& name)
{
    const auto wanted = name.trim();
    for (int i = 0; i < processor.getNumParameters(); ++i)
        if (wanted.equalsIgnoreCase (processor.getParameterName (i)) ||
            wanted.equalsIgnoreCase (processor.getParameterShortName (i)))
            return i;
    return -1;
}

int findProgram (Processor& processor, const juce::String& text)
{
    if (const auto number = parseInteger (text))
        return juce::isPositiveAndBelow (*number, processor.getNumPrograms()) ? *number : -1;

    const auto wanted = collapseSpaces (text);
    for (int i = 0; i < processor.getNumPrograms(); ++i)
        if (wanted.equalsIgnoreCase (collapseSpaces (processor.getProgramName (i))))
            return i;
    return -1;
}

juce::String loadStateFile (Processor& processor, const juce::File& file)
{
    if (!file.existsAsFile())
        return "state file not found: " + file.getFullPathName();

    juce::MemoryBlock data;
    if (!file.loadFileAsData (data))
        return "cannot read state file " + file.getFullPathName();

    const auto* bytes = static_cast<const juce::uint8*> (data.getData());
    const bool isContainer = data.getSize() >= 4 && juce::ByteOrder::littleEndianInt (bytes) == stateMagic;

    juce::String xmlText;
    if (isContainer)
    {
        // Read the text the way a restore does, to tell a broken blob from a good one.
        if (data.getSize() >= 9)
        {
            const auto length = static_cast<juce::int32> (juce::ByteOrder::littleEndianInt (bytes + 4));
            const auto available = static_cast<juce::int64> (data.getSize()) - 8;
            if (length > 0)
                xmlText = juce::String::fromUTF8 (reinterpret_cast<const char*> (bytes + 8),
                                                  static_cast<int> (juce::jmin<juce::int64> (length, available)));
        }
    }
    else
    {
        xmlText = data.toString();
    }

    const auto element = juce::parseXML (xmlText);
    if (element == nullptr)
        return "state file " + file.getFileName() + " is neither a saved state nor its XML document";
    if (!isOurTag (*element))
        return "state file " + file.getFileName() + " holds <" + element->getTagName() + ">, not a 9V-210 state";

    if (isContainer)
        processor.setStateInformation (data.getData(), static_cast<int> (data.getSize()));
    else
    {
        const auto blob =
            containerFor (element->toString (juce::XmlElement::TextFormat().singleLine().withoutHeader()));
        processor.setStateInformation (blob.getData(), static_cast<int> (blob.getSize()));
    }
    return {};
}

SetupResult applySettings (Processor& processor, const Options& options)
{
    if (options.program.isNotEmpty())
    {
        const int program = findProgram (processor, options.program);
        if (program < 0)
            return { "unknown program '" + options.program + "' (see --list)", exitUsage };
        processor.setCurrentProgram (program);
    }

    if (options.stateFile.isNotEmpty())
    {
        const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (options.stateFile);
        if (auto error = loadStateFile (processor, file); error.isNotEmpty())
            return { error, exitFailure };
    }

    for (const auto& assignment : options.assignments)
    {
        const int index = findParameter (processor, assignment.name);
        if (index < 0)
            return { "unknown parameter '" + assignment.name + "' (see --list)", exitUsage };
        processor.setParameter (index, assignment.value);
    }
    return {};
}

bool prepareProcessor (Processor& processor, int numChannels, double sampleRate, int blockSize)
{
    const auto set = numChannels == 1 ? juce::AudioChannelSet::mono() : juce::AudioChannelSet::stereo();
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    if (numChannels < 1 || numChannels > 2 || !processor.setBusesLayout (layout))
        return false;

    processor.setNonRealtime (true);
    processor.setRateAndBufferSizeDetails (sampleRate, blockSize);
    processor.prepareToPlay (sampleRate, blockSize);
    return true;
}

std::array<float, Tessaro9V::kNumParameters> parameterValues (Processor& processor)
{
    std::array<float, Tessaro9V::kNumParameters> values{};
    for (int i = 0; i < Tessaro9V::kNumParameters; ++i)
        values[static_cast<size_t> (i)] = processor.getParameter (i);
    return values;
}

void setParameterValues (Processor& processor, const std::array<float, Tessaro9V::kNumParameters>& values)
{
    for (int i = 0; i < Tessaro9V::kNumParameters; ++i)
        processor.setParameter (i, values[static_cast<size_t> (i)]);
}

juce::String listing (Processor& processor)
{
    juce::String text = "Parameters (normalised values):\n";
    for (int i = 0; i < processor.getNumParameters(); ++i)
        text << juce::String (i).paddedLeft (' ', 4) << "  " << processor.getParameterName (i).paddedRight (' ', 20)
             << processor.getParameterShortName (i).paddedRight (' ', 10)
             << juce::String (processor.getParameter (i), 6) << "\n";

    text << "Programs:\n";
    for (int i = 0; i < processor.getNumPrograms(); ++i)
        text << (i == processor.getCurrentProgram() ? " * " : "   ") << juce::String (i).paddedLeft (' ', 2) << "  "
             << processor.getProgramName (i) << "\n";
    return text;
}
} // namespace t9render
