#include "processor/StateDocument.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <cctype>
#include <limits>

namespace Tessaro9V::stateDocument
{
namespace
{
// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF). The framework's
// decoder would read past the end of a truncated sequence, so it only ever sees valid text.
bool isValidUtf8 (const unsigned char* text, size_t length) noexcept
{
    size_t i = 0;
    while (i < length)
    {
        const unsigned char lead = text[i];
        if (lead < 0x80)
        {
            ++i;
            continue;
        }

        size_t extra = 0;
        unsigned char low = 0x80, high = 0xbf; // allowed range of the first continuation byte
        if (lead >= 0xc2 && lead <= 0xdf)
            extra = 1;
        else if (lead >= 0xe0 && lead <= 0xef)
        {
            extra = 2;
            if (lead == 0xe0)
                low = 0xa0;
            else if (lead == 0xed)
                high = 0x9f;
        }
        else if (lead >= 0xf0 && lead <= 0xf4)
        {
            extra = 3;
            if (lead == 0xf0)
                low = 0x90;
            else if (lead == 0xf4)
                high = 0x8f;
        }
        else
            return false;

        if (length - i <= extra)
            return false;
        if (text[i + 1] < low || text[i + 1] > high)
            return false;
        for (size_t k = 2; k <= extra; ++k)
            if ((text[i + k] & 0xc0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

bool startsWithIgnoringCase (const char* text, size_t length, const char* prefix) noexcept
{
    const size_t n = std::strlen (prefix);
    if (length < n)
        return false;
    for (size_t i = 0; i < n; ++i)
        if (juce::CharacterFunctions::toUpperCase (static_cast<juce::juce_wchar> (text[i])) != prefix[i])
            return false;
    return true;
}

// A cheap look at the markup before the real parse, blind to quotes on purpose: the
// framework's parser gives up on a malformed attribute and reads the rest as content, so
// nothing inside a "value" can be trusted to stay a value. Refused are:
// - more element starts than maxNestingDepth allows levels (the parser recurses once per
//   level; counting every start also bounds the depth, whatever closes where);
// - more '=' than maxAttributes (every attribute needs one);
// - a document type declaration (its entities can expand without bound);
// - a processing instruction after the first element start (followed by text, it sends
//   the parser into an endless loop).
bool isPlausibleMarkup (const char* text, size_t length) noexcept
{
    int elementStarts = 0;
    int equalsSigns = 0;
    for (size_t i = 0; i < length; ++i)
    {
        if (text[i] == '=' && ++equalsSigns > maxAttributes)
            return false;
        if (text[i] != '<' || i + 1 >= length)
            continue;

        const char next = text[i + 1];
        if (next == '/')
            continue;
        if (next == '!')
        {
            if (startsWithIgnoringCase (text + i + 2, length - i - 2, "DOCTYPE"))
                return false;
            continue;
        }
        if (next == '?')
        {
            if (elementStarts > 0)
                return false;
            continue;
        }
        if (++elementStarts > maxNestingDepth + 1) // the document element plus 64 levels
            return false;
    }
    return true;
}

// The framework's parser steps over the terminating zero when a hexadecimal character
// reference ("&#x41") runs into the end of the text, and reads on past the buffer.
bool endsInsideHexReference (const char* text, size_t length) noexcept
{
    size_t digits = 0;
    while (digits < length && juce::CharacterFunctions::getHexDigitValue (static_cast<juce::juce_wchar> (
                                  static_cast<unsigned char> (text[length - 1 - digits]))) >= 0)
        ++digits;
    if (digits > 8 || length - digits < 3)
        return false;
    const char* start = text + length - digits - 3;
    return start[0] == '&' && start[1] == '#' && (start[2] == 'x' || start[2] == 'X');
}
// Every numeric character reference must be complete ("&#" digits ";" or "&#x" hex digits
// ";"): the framework's parser scans a malformed one past the end of its text.
bool hasWellFormedNumericReferences (const char* text, size_t length) noexcept
{
    for (size_t i = 0; i + 1 < length; ++i)
    {
        if (text[i] != '&' || text[i + 1] != '#')
            continue;
        size_t j = i + 2;
        const bool hex = j < length && (text[j] == 'x' || text[j] == 'X');
        if (hex)
            ++j;
        const size_t firstDigit = j;
        while (j < length && (hex ? std::isxdigit (static_cast<unsigned char> (text[j])) != 0
                                  : std::isdigit (static_cast<unsigned char> (text[j])) != 0))
            ++j;
        if (j == firstDigit || j >= length || text[j] != ';')
            return false;
        i = j;
    }
    return true;
}
} // namespace

juce::String formatNumber (double value)
{
    char buffer[64];
    const auto result = std::to_chars (buffer, buffer + sizeof (buffer), value, std::chars_format::general, 20);
    return juce::String (buffer, static_cast<size_t> (result.ptr - buffer));
}

float readNumber (const juce::String& text) noexcept
{
    const double value = text.getDoubleValue();
    constexpr double largest = std::numeric_limits<float>::max();
    // Halfway between the largest float and the next power of two: from here on, rounding
    // to nearest gives infinity.
    constexpr double overflowsAt = 0x1.ffffffp127;
    if (std::isfinite (value) && std::abs (value) > largest)
    {
        const float magnitude = std::abs (value) >= overflowsAt ? std::numeric_limits<float>::infinity()
                                                                : std::numeric_limits<float>::max();
        return value < 0.0 ? -magnitude : magnitude;
    }
    return static_cast<float> (value);
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

std::unique_ptr<juce::XmlElement> parseUntrustedXml (const char* text, size_t length)
{
    if (text == nullptr || length == 0 || length > static_cast<size_t> (std::numeric_limits<int>::max()) ||
        !isValidUtf8 (reinterpret_cast<const unsigned char*> (text), length) || !isPlausibleMarkup (text, length) ||
        endsInsideHexReference (text, length) || !hasWellFormedNumericReferences (text, length))
        return nullptr;
    return juce::parseXML (juce::String::fromUTF8 (text, static_cast<int> (length)));
}

std::unique_ptr<juce::XmlElement> readContainer (const void* data, int sizeInBytes)
{
    if (data == nullptr || sizeInBytes < 9 || juce::ByteOrder::littleEndianInt (data) != containerMagic)
        return nullptr;

    const auto declaredLength = static_cast<int> (juce::ByteOrder::littleEndianInt (juce::addBytesToPointer (data, 4)));
    if (declaredLength <= 0)
        return nullptr;

    // The text ends at the length, the end of the data or its first zero byte.
    const auto* text = static_cast<const char*> (data) + 8;
    const auto available = static_cast<size_t> (juce::jmin (sizeInBytes - 8, declaredLength));
    const auto* terminator = static_cast<const char*> (std::memchr (text, 0, available));
    const auto length = terminator != nullptr ? static_cast<size_t> (terminator - text) : available;

    auto element = parseUntrustedXml (text, length);
    if (element == nullptr || !element->getTagName().equalsIgnoreCase (tagName))
        return nullptr;
    return element;
}
} // namespace Tessaro9V::stateDocument
