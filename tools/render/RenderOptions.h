#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

namespace t9render
{
// Exit codes of the tool: 2 for a command line it cannot accept, 1 for files and data.
inline constexpr int exitOk = 0;
inline constexpr int exitFailure = 1;
inline constexpr int exitUsage = 2;

struct ParameterAssignment
{
    juce::String name;  // long or short parameter name, as typed
    float value = 0.0f; // normalised
};

struct Options
{
    juce::String program; // index or name, empty when not given
    std::vector<ParameterAssignment> assignments;
    juce::String stateFile;
    juce::String plotFile;
    int plotWidth = 900;
    int plotHeight = 540;
    int bits = 32;
    int blockSize = 512;
    bool list = false;
    bool help = false;
    juce::String input;
    juce::String output;
};

struct ParseResult
{
    Options options;
    juce::String error; // one line; empty when the command line is usable

    bool ok() const noexcept { return error.isEmpty(); }
};

// Reads the arguments after the program name. Names are checked later, against the
// processor; everything that can be judged from the text alone is checked here.
ParseResult parseArguments (const juce::StringArray& arguments);

juce::String usageText();

// Strict number readers: the whole text must be the number (no locale, no trailing junk).
std::optional<double> parseNumber (const juce::String& text);
std::optional<int> parseInteger (const juce::String& text);
} // namespace t9render
