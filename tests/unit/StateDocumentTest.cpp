// The saved state: the XML document in its binary container, and the restore rules.
#include "processor/RelaxedAccess.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <string>

using namespace Tessaro9V;

namespace
{
const std::string newInstanceText =
    "<QVA9V210SETTINGS Version=\"1.0.2\" Gain=\"0.5\" Output=\"0.5\" Link=\"1\" HiBoost=\"0\" HiFreq=\"0.5\" "
    "LowBoost=\"0\" LowFreq=\"0.5\" Eq=\"1\" Pol=\"0\" Analog=\"1\" LP=\"1\" LPSlope=\"0.25\" LPOn=\"0\" HP=\"0\" "
    "HPSlope=\"0.25\" HPOn=\"0\" Bypass=\"0\"/>";

// Magic "VC2!", a little-endian length field, the text, a zero byte.
std::string container (const std::string& text, juce::int64 lengthField)
{
    std::string blob = "VC2!";
    const auto length = static_cast<juce::uint32> (lengthField);
    for (int i = 0; i < 4; ++i)
        blob += static_cast<char> ((length >> (8 * i)) & 0xff);
    return blob + text + std::string (1, '\0');
}

std::string container (const std::string& text) { return container (text, static_cast<juce::int64> (text.size())); }

std::string blobOf (T9v210AudioProcessor& p)
{
    juce::MemoryBlock block;
    p.getStateInformation (block);
    return std::string (static_cast<const char*> (block.getData()), block.getSize());
}

std::string textOf (T9v210AudioProcessor& p)
{
    const auto blob = blobOf (p);
    return blob.size() >= 9 ? blob.substr (8, blob.size() - 9) : std::string();
}

void restore (T9v210AudioProcessor& p, const std::string& blob)
{
    p.setStateInformation (blob.data(), static_cast<int> (blob.size()));
}

std::vector<float> parameterValues (T9v210AudioProcessor& p)
{
    std::vector<float> values;
    for (int i = 0; i < p.getNumParameters(); ++i)
        values.push_back (p.getParameter (i));
    return values;
}

// Element-wise equality that treats NaN as equal to NaN.
bool sameValues (const std::vector<float>& a, const std::vector<float>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan (a[i]) && std::isnan (b[i]))))
            return false;
    return true;
}

std::string document (const std::string& attributes) { return "<QVA9V210SETTINGS " + attributes + "/>"; }
} // namespace

TEST (StateDocument, NewInstanceWritesTheExpectedContainerByteForByte)
{
    T9v210AudioProcessor p;
    const auto expected = container (newInstanceText);
    const auto blob = blobOf (p);
    EXPECT_EQ (blob, expected);
    ASSERT_EQ (blob.size(), newInstanceText.size() + 9);
    EXPECT_EQ (static_cast<unsigned char> (blob[0]), 0x56u);
    EXPECT_EQ (static_cast<unsigned char> (blob[3]), 0x21u);
}

TEST (StateDocument, ReplacesWhateverTheBlockHeld)
{
    T9v210AudioProcessor p;
    juce::MemoryBlock block (4096, true);
    p.getStateInformation (block);
    EXPECT_EQ (block.getSize(), newInstanceText.size() + 9);
}

TEST (StateDocument, NumbersUseTwentySignificantDigitsAndAPointInAnyLocale)
{
    // A C++ global locale with a decimal comma must not leak into the document.
    struct CommaPoint : std::numpunct<char>
    {
        char do_decimal_point() const override { return ','; }
    };
    const auto previous = std::locale::global (std::locale (std::locale::classic(), new CommaPoint));

    T9v210AudioProcessor p;
    p.setParameter (kHiBoost, 0.6515f);
    p.setParameter (kLowBoost, 1.0e-7f);
    p.setParameter (kInputGain, 0.508f);
    const auto text = textOf (p);
    std::locale::global (previous);

    EXPECT_NE (text.find ("HiBoost=\"0.65149998664855957031\""), std::string::npos) << text;
    EXPECT_NE (text.find ("LowBoost=\"1.0000000116860974231e-07\""), std::string::npos) << text;
    EXPECT_NE (text.find ("Gain=\"0.50800001621246337891\""), std::string::npos) << text;
    EXPECT_EQ (text.find (','), std::string::npos) << text;
}

TEST (StateDocument, RoundTripKeepsEveryValue)
{
    // A new instance comes back bit for bit.
    T9v210AudioProcessor fresh, restored;
    restored.setCurrentProgram (4);
    restore (restored, blobOf (fresh));
    EXPECT_EQ (parameterValues (restored), parameterValues (fresh));
    EXPECT_EQ (blobOf (restored), blobOf (fresh));

    // So does every program, except that a gain re-enters the gain law from its normalised
    // value: it may move by a rounding step, far below anything audible.
    for (int program = 0; program < 11; ++program)
    {
        SCOPED_TRACE (program);
        T9v210AudioProcessor source, target;
        source.setCurrentProgram (program);
        source.setParameter (kPolarity, 1.0f);
        source.setParameter (kBypass, 0.1f);
        source.setParameter (kHiBoost, 0.1234567f + 0.01f * static_cast<float> (program));
        restore (target, blobOf (source));
        const auto expected = parameterValues (source), actual = parameterValues (target);
        for (int i = 0; i < 17; ++i)
        {
            if (i == kInputGain || i == kOutputLevel)
                EXPECT_NEAR (actual[static_cast<size_t> (i)], expected[static_cast<size_t> (i)], 1e-6f) << i;
            else
                EXPECT_EQ (actual[static_cast<size_t> (i)], expected[static_cast<size_t> (i)]) << i;
        }
        EXPECT_EQ (target.getCurrentProgram(), 0); // the program number is not part of the state
    }
}

TEST (StateDocument, RestoreReadsShortNamesExactlyAndTheTagInAnyCase)
{
    T9v210AudioProcessor p;
    p.setCurrentProgram (3); // Gain 0.884
    const float gainBefore = p.getParameter (kInputGain);

    // Lower-case tag accepted; "gain" is not "Gain"; unknown names and "Version" ignored.
    restore (p, container ("<qva9v210settings Version=\"9.9\" gain=\"1\" Pol=\"1\" Bogus=\"1\" HiFreq=\"1\"/>"));
    EXPECT_EQ (p.getParameter (kInputGain), gainBefore);
    EXPECT_TRUE (relaxedLoad (p.settings.polarity));
    EXPECT_EQ (relaxedLoad (p.settings.hiFrequency), 2u);
    // Everything the document leaves out keeps its value.
    EXPECT_NEAR (relaxedLoad (p.settings.outputLevel), 0.11978433, 1e-8);
    EXPECT_EQ (relaxedLoad (p.settings.lowFrequency), 2u);
}

TEST (StateDocument, OutOfRangeSlopeRestoresStepFiveAndSavesBackOnePointTwoFive)
{
    T9v210AudioProcessor p;
    restore (p, container (document ("LPSlope=\"1.2\"")));
    EXPECT_EQ (relaxedLoad (p.settings.lowpassSlope), 5u);
    EXPECT_NE (textOf (p).find ("LPSlope=\"1.25\""), std::string::npos) << textOf (p);
}

TEST (StateDocument, DuplicatedAttributeUsesTheFirst)
{
    T9v210AudioProcessor p;
    restore (p, container (document ("Gain=\"1\" Gain=\"0\"")));
    EXPECT_EQ (relaxedLoad (p.settings.inputGain), static_cast<double> (std::pow (10.0f, 1.2f)));
}

TEST (StateDocument, NumbersAreReadByTheDecimalReaderAndGoThroughTheLawsUnclamped)
{
    struct Case
    {
        const char* attribute;
        int index;
        double expectedField; // NaN: the stored field must be NaN
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        { "Gain=\"abc\"", kInputGain, static_cast<double> (std::pow (10.0f, -1.2f)) }, // read as 0
        { "Gain=\"nan\"", kInputGain, 0.0 },                                           // no dB, no gain
        { "Gain=\"inf\"", kInputGain, inf },
        { "Gain=\"-1e999\"", kInputGain, 0.0 },
        { "Gain=\"1e300\"", kInputGain, inf },
        { "HiBoost=\"nan\"", kHiBoost, nan },
        { "HiBoost=\"-inf\"", kHiBoost, -inf },
        { "HiBoost=\"1.5\"", kHiBoost, 1.5 },
        { "HiBoost=\" 0.25xyz\"", kHiBoost, 0.25 },
        { "LP=\"-1e999\"", kLowpassFrequency, -inf },
        { "HiFreq=\"nan\"", kHiFrequency, 0.0 },
        { "Bypass=\"nan\"", kBypass, 1.0 },
        { "Pol=\"nan\"", kPolarity, 0.0 },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.attribute);
        t9test::Harness h;
        restore (h.processor, container (document (c.attribute)));
        const Settings s = loadSettings (h.processor.settings);
        double field = 0.0;
        switch (c.index)
        {
            case kInputGain:
                field = s.inputGain;
                break;
            case kHiBoost:
                field = s.hiBoost;
                break;
            case kLowpassFrequency:
                field = s.lowpassFrequency;
                break;
            case kHiFrequency:
                field = s.hiFrequency;
                break;
            case kBypass:
                field = s.bypass ? 1.0 : 0.0;
                break;
            case kPolarity:
                field = s.polarity ? 1.0 : 0.0;
                break;
            default:
                FAIL();
        }
        if (std::isnan (c.expectedField))
            EXPECT_TRUE (std::isnan (field)) << field;
        else
            EXPECT_EQ (field, c.expectedField);

        // Whatever was stored, the chain keeps producing finite audio.
        auto buffer = t9test::sineBuffer (2, 512, 1000.0, 48000.0, 0.5f);
        h.process (buffer);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 512; ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (ch, i))) << ch << " " << i;
    }
}

TEST (StateDocument, HostileBlobsChangeNothingAndKeepTheChainRunning)
{
    const std::string good = document ("Gain=\"1\" HiBoost=\"0.9\"");
    std::string nested = "<QVA9V210SETTINGS Gain=\"1\">";
    for (int i = 0; i < 100; ++i)
        nested += "<a>";
    // Nesting hidden in what looks like an attribute value: the parser gives up on the
    // malformed attribute and reads the rest as content.
    std::string hiddenNesting = "<QVA9V210SETTINGS Gain=\"1\"><r y z=\"";
    for (int i = 0; i < 100; ++i)
        hiddenNesting += "<a x=\"</\">";
    hiddenNesting += "\">";
    std::string manyAttributes = "<QVA9V210SETTINGS Gain=\"1\"";
    for (int i = 0; i < 5000; ++i)
        manyAttributes += " a" + std::to_string (i) + "=\"0\"";
    manyAttributes += "/>";

    struct Case
    {
        const char* what;
        std::string blob;
    };
    const Case cases[] = {
        { "empty", "" },
        { "eight bytes", container ("").substr (0, 8) },
        { "wrong magic", "VC2?" + container (good).substr (4) },
        { "length 0", container (good, 0) },
        { "negative length", container (good, -5) },
        { "text starts with a zero byte", container (std::string (1, '\0') + good) },
        { "not UTF-8", container (document ("Gain=\"1\" Note=\"\xff\xfe\"")) },
        { "UTF-8 cut inside a character", container (good + "\xe2\x82") },
        { "overlong UTF-8", container (document ("Gain=\"1\" Note=\"\xc0\xaf\"")) },
        { "not XML", container ("Gain=1, HiBoost=0.9") },
        { "wrong tag", container ("<QVA9V210SETTING Gain=\"1\"/>") },
        { "nested 100 deep", container (nested) },
        { "5000 attributes", container (manyAttributes) },
        { "nesting hidden in a malformed attribute", container (hiddenNesting) },
        { "text ends inside a character reference", container ("<QVA9V210SETTINGS Gain=\"1\">&#x41") },
        { "attribute ends inside a character reference", container ("<QVA9V210SETTINGS Gain=\"1\" Pol=\"&#X") },
        { "processing instruction inside the element",
          container ("<QVA9V210SETTINGS Gain=\"1\"><?pi?>text</QVA9V210SETTINGS>") },
        { "document type with entities",
          container ("<!DOCTYPE x [<!ENTITY a \"&a;&a;\">]><QVA9V210SETTINGS Gain=\"1\" Pol=\"&a;\"/>") },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        t9test::Harness h;
        h.processor.setCurrentProgram (8);
        const auto before = parameterValues (h.processor);
        h.processor.setStateInformation (c.blob.empty() ? nullptr : c.blob.data(), static_cast<int> (c.blob.size()));
        EXPECT_TRUE (sameValues (parameterValues (h.processor), before));

        auto buffer = t9test::sineBuffer (2, 256, 200.0, 48000.0, 0.5f);
        h.process (buffer);
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 256; ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (ch, i)));
    }
}

TEST (StateDocument, AcceptedEvenIfUnusual)
{
    std::string nested = "<QVA9V210SETTINGS Gain=\"1\">";
    for (int i = 0; i < 60; ++i)
        nested += "<a>";
    for (int i = 0; i < 60; ++i)
        nested += "</a>";
    nested += "</QVA9V210SETTINGS>";
    // Large, but plain: a long value and lots of white space.
    const std::string huge =
        "<QVA9V210SETTINGS Note=\"" + std::string (4 << 20, 'x') + "\"" + std::string (1 << 20, ' ') + "Gain=\"1\"/>";
    const std::string good = document ("Gain=\"1\"");

    struct Case
    {
        const char* what;
        std::string blob;
    };
    const Case cases[] = {
        { "length larger than the data", container (good, 100000).substr (0, 8 + good.size()) },
        { "length field shorter than the data, text cut there",
          container (good + "garbage", static_cast<juce::int64> (good.size())) },
        { "nested 60 deep", container (nested) },
        { "cut off after an attribute (the framework's parser accepts it)",
          container ("<QVA9V210SETTINGS Gain=\"1\"") },
        { "declaration and comment", container ("<?xml version=\"1.0\" encoding=\"UTF-8\"?><!-- saved --> " + good) },
        { "several megabytes", container (huge) },
        { "UTF-8 in another attribute",
          container (document ("Note=\"\xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\x9b\" Gain=\"1\"")) },
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        T9v210AudioProcessor p;
        restore (p, c.blob);
        EXPECT_EQ (relaxedLoad (p.settings.inputGain), static_cast<double> (std::pow (10.0f, 1.2f)));
    }
}
