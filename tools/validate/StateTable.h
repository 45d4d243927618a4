#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// The table of saved plug-in states kept in the repository: blobs written by earlier
// builds (<name>.bin) and the parameter values each restored to then, one file per format
// (<name>.vst3.txt, <name>.lv2.txt: the framework's VST3 wrapper clamps values to 0..1 and
// sends them back, its LV2 wrapper does not). Each line is "short name<TAB>value", as the
// restored plug-in saved them again. Later builds must keep reading them to the same values.
namespace t9validate::stateTable
{
struct Entry
{
    juce::String name;
    juce::MemoryBlock blob;
    std::vector<std::pair<juce::String, float>> values; // empty when the .txt is missing
};

std::vector<Entry> load (const juce::File& folder, const juce::String& format);
// Writes the values; the blob only when the table does not hold it yet (blobs are never
// rewritten: they stand for what earlier builds saved).
bool save (const juce::File& folder, const juce::String& format, const Entry& entry);

// A container of the plug-in's binary XML format around any text, with an optional
// length field that differs from the text's length.
juce::MemoryBlock container (const juce::String& xmlText, int lengthField = -1);
} // namespace t9validate::stateTable
