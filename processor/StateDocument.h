#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace Tessaro9V::stateDocument
{
inline constexpr const char* tagName = "QVA9V210SETTINGS";
inline constexpr juce::uint32 containerMagic = 0x21324356; // "VC2!"

// General notation, up to 20 significant digits, '.' as the decimal point in every locale.
juce::String formatNumber (double value);

// Writes the element as one line of UTF-8 without a declaration, framed by the container:
// magic, text length, text, a zero byte. Replaces the block's content.
void writeContainer (const juce::XmlElement& element, juce::MemoryBlock& destData);

// The document element of a container, or null when the blob is not a container, its
// text is not XML, it is nested implausibly deep, or the tag is not ours (any case).
std::unique_ptr<juce::XmlElement> readContainer (const void* data, int sizeInBytes);
} // namespace Tessaro9V::stateDocument
