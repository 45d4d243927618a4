#pragma once

#include <juce_core/juce_core.h>

#include <memory>

namespace Tessaro9V::stateDocument
{
inline constexpr const char* tagName = "QVA9V210SETTINGS";
inline constexpr juce::uint32 containerMagic = 0x21324356; // "VC2!"

// Limits of what we hand to the framework's XML parser. Our own document is one element
// with eighteen attributes; the parser recurses once per nesting level and pools every
// attribute name, so texts far beyond these are refused unparsed (see StateDocument.cpp
// for how they are counted).
inline constexpr int maxNestingDepth = 64;
inline constexpr int maxAttributes = 4096;

// General notation, up to 20 significant digits, '.' as the decimal point in every locale.
juce::String formatNumber (double value);

// An attribute's text as the framework's decimal reader reads it, rounded to single
// precision (magnitudes beyond the float range become infinities, as IEEE rounding does).
float readNumber (const juce::String& text) noexcept;

// Writes the element as one line of UTF-8 without a declaration, framed by the container:
// magic, text length, text, a zero byte. Replaces the block's content.
void writeContainer (const juce::XmlElement& element, juce::MemoryBlock& destData);

// Parses text from outside (a host's blob, a server's answer) with the framework's parser,
// after refusing what that parser cannot take safely: invalid UTF-8, document types,
// processing instructions inside elements, nesting or attribute counts beyond the limits
// above, and text that ends inside a character reference. Null when refused or malformed.
std::unique_ptr<juce::XmlElement> parseUntrustedXml (const char* text, size_t length);

// The document element of a container, or null when the blob is not a container, its
// text is empty, not UTF-8, carries a document type declaration or a processing
// instruction inside an element, nests deeper or holds
// more attributes than the limits above, ends inside a character reference, does not
// parse, or the tag is not ours (any case).
std::unique_ptr<juce::XmlElement> readContainer (const void* data, int sizeInBytes);
} // namespace Tessaro9V::stateDocument
