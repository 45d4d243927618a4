#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// The table of saved plug-in states kept in the repository: blobs written by earlier
// builds (<name>.bin) and the parameter values each restored to then (<name>.txt, one
// "name<TAB>value" line per host parameter). Later builds must keep reading them.
namespace t9validate::stateTable
{
struct Entry
{
    juce::String name;
    juce::MemoryBlock blob;
    std::vector<std::pair<juce::String, float>> values; // empty when the .txt is missing
};

std::vector<Entry> load (const juce::File& folder);
bool save (const juce::File& folder, const Entry& entry);

// A container of the plug-in's binary XML format around any text, with an optional
// length field that differs from the text's length.
juce::MemoryBlock container (const juce::String& xmlText, int lengthField = -1);
} // namespace t9validate::stateTable
