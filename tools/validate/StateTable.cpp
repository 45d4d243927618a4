#include "StateTable.h"

namespace t9validate::stateTable
{
std::vector<Entry> load (const juce::File& folder, const juce::String& format)
{
    std::vector<Entry> entries;
    auto files = folder.findChildFiles (juce::File::findFiles, false, "*.bin");
    files.sort();
    for (const auto& file : files)
    {
        Entry e;
        e.name = file.getFileNameWithoutExtension();
        file.loadFileAsData (e.blob);
        juce::StringArray lines;
        file.withFileExtension (format.toLowerCase() + ".txt").readLines (lines);
        for (const auto& line : lines)
            if (line.containsChar ('\t'))
                e.values.emplace_back (line.upToLastOccurrenceOf ("\t", false, false),
                                       line.fromLastOccurrenceOf ("\t", false, false).getFloatValue());
        entries.push_back (std::move (e));
    }
    return entries;
}

bool save (const juce::File& folder, const juce::String& format, const Entry& e)
{
    const auto blob = folder.getChildFile (e.name + ".bin");
    if (!blob.existsAsFile() && !blob.replaceWithData (e.blob.getData(), e.blob.getSize()))
        return false;
    juce::String text;
    for (const auto& [name, value] : e.values)
    {
        char number[32];
        std::snprintf (number, sizeof (number), "%.9g", static_cast<double> (value));
        text << name << "\t" << number << "\n";
    }
    return folder.getChildFile (e.name + "." + format.toLowerCase() + ".txt").replaceWithText (text);
}

juce::MemoryBlock container (const juce::String& xmlText, int lengthField)
{
    juce::MemoryOutputStream out;
    out.writeInt (0x21324356); // "VC2!", little-endian
    const auto length = static_cast<int> (xmlText.getNumBytesAsUTF8());
    out.writeInt (lengthField >= 0 ? lengthField : length);
    out.write (xmlText.toRawUTF8(), static_cast<size_t> (length));
    out.writeByte (0);
    return out.getMemoryBlock();
}
} // namespace t9validate::stateTable
