#include "processor/StateDocument.h"

#include <charconv>

namespace Tessaro9V::stateDocument
{
namespace
{
// Our document is one element; anything nested deeper than this is not ours, and the
// framework's parser recurses per level, so refuse it before parsing.
constexpr int maxNestingDepth = 64;

bool nestsTooDeep (const char* text, size_t length)
{
    int depth = 0;
    for (size_t i = 0; i < length; ++i)
    {
        if (text[i] != '<' || i + 1 >= length)
            continue;
        const char next = text[i + 1];
        if (next == '/')
        {
            --depth;
            continue;
        }
        if (next == '!' || next == '?')
            continue;

        // An opening tag: find its end, skipping quoted attribute values.
        char quote = 0;
        size_t j = i + 1;
        for (; j < length; ++j)
        {
            const char c = text[j];
            if (quote != 0)
            {
                if (c == quote)
                    quote = 0;
            }
            else if (c == '"' || c == '\'')
                quote = c;
            else if (c == '>')
                break;
        }
        const bool selfClosing = j < length && text[j - 1] == '/';
        if (! selfClosing && ++depth > maxNestingDepth)
            return true;
        i = j;
    }
    return false;
}
} // namespace

juce::String formatNumber (double value)
{
    char buffer[64];
    const auto result = std::to_chars (buffer, buffer + sizeof (buffer), value, std::chars_format::general, 20);
    return juce::String (buffer, static_cast<size_t> (result.ptr - buffer));
}

void writeContainer (const juce::XmlElement& element, juce::MemoryBlock& destData)
{
    {
        juce::MemoryOutputStream out (destData, false);
        out.writeInt (static_cast<int> (containerMagic));
        out.writeInt (0);
        element.writeTo (out, juce::XmlElement::TextFormat().singleLine().withoutHeader());
        out.writeByte (0);
    }
    const auto textLength = static_cast<juce::uint32> (destData.getSize() - 9);
    auto* bytes = static_cast<juce::uint8*> (destData.getData());
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = static_cast<juce::uint8> (textLength >> (8 * i));
}

std::unique_ptr<juce::XmlElement> readContainer (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes < 9 || juce::ByteOrder::littleEndianInt (data) != containerMagic)
        return nullptr;

    const auto declaredLength = static_cast<int> (juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4)));
    if (declaredLength <= 0)
        return nullptr;

    const auto* text = static_cast<const char*> (data) + 8;
    const auto length = static_cast<size_t> (juce::jmin (sizeInBytes - 8, declaredLength));
    if (nestsTooDeep (text, length))
        return nullptr;

    auto element = juce::parseXML (juce::String::fromUTF8 (text, static_cast<int> (length)));
    if (element == nullptr || ! element->getTagName().equalsIgnoreCase (tagName))
        return nullptr;
    return element;
}
} // namespace Tessaro9V::stateDocument
