#include "RenderOptions.h"

#include <charconv>
#include <cmath>

namespace t9render
{
std::optional<double> parseNumber (const juce::String& text)
{
    const auto utf8 = text.trim().toStdString();
    if (utf8.empty())
        return std::nullopt;
    const char* begin = utf8.data();
    const char* end = begin + utf8.size();
    if (*begin == '+')
        ++begin; // from_chars refuses a leading plus, people type it
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars (begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite (value))
        return std::nullopt;
    return value;
}

std::optional<int> parseInteger (const juce::String& text)
{
    const auto utf8 = text.trim().toStdString();
    if (utf8.empty())
        return std::nullopt;
    const char* begin = utf8.data();
    const char* end = begin + utf8.size();
    int value = 0;
    const auto [ptr, ec] = std::from_chars (begin, end, value);
    if (ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

juce::String usageText()
{
    return "Usage: t9v210-render [options] INPUT OUTPUT\n"
           "       t9v210-render [options] --plot FILE.png\n"
           "       t9v210-render [options] --list\n"
           "\n"
           "Processes a WAV, AIFF or FLAC file (mono or stereo) through the 9V-210 processor\n"
           "and writes a WAV file.\n"
           "\n"
           "Options:\n"
           "  --program N|NAME     load factory program N (0..10) or the program of that name\n"
           "  --state FILE         load a saved state (blob or its XML document)\n"
           "  --set NAME=VALUE     set a parameter (long or short name) to a normalised value\n"
           "                       0..1; repeatable; applied after --program and --state\n"
           "  --bits 16|24|32      output sample format (default 32: 32-bit float)\n"
           "  --block N            processing block size in samples, 1..65536 (default 512)\n"
           "  --plot FILE.png      draw the magnitude response (Analog off) of the settings\n"
           "  --plot-size WxH      size of the plot in pixels (default 900x540)\n"
           "  --list               print the parameters with their values, and the programs\n"
           "  -h, --help           show this text\n";
}

namespace
{
constexpr int maxBlockSize = 65536;

juce::String parseAssignment (const juce::String& text, ParameterAssignment& result)
{
    const int equals = text.indexOfChar ('=');
    if (equals <= 0)
        return "--set expects NAME=VALUE, got '" + text + "'";
    result.name = text.substring (0, equals).trim();
    const auto valueText = text.substring (equals + 1);
    const auto value = parseNumber (valueText);
    if (!value)
        return "malformed value '" + valueText + "' for " + result.name + " (expected a number from 0 to 1)";
    if (*value < 0.0 || *value > 1.0)
        return "value " + valueText.trim() + " for " + result.name + " is outside 0..1";
    result.value = static_cast<float> (*value);
    return {};
}

juce::String parsePlotSize (const juce::String& text, Options& options)
{
    const int x = text.indexOfIgnoreCase ("x");
    const auto width = x > 0 ? parseInteger (text.substring (0, x)) : std::nullopt;
    const auto height = x > 0 ? parseInteger (text.substring (x + 1)) : std::nullopt;
    if (!width || !height || *width < 200 || *height < 150 || *width > 8000 || *height > 8000)
        return "bad --plot-size '" + text + "' (expected WxH, from 200x150 to 8000x8000)";
    options.plotWidth = *width;
    options.plotHeight = *height;
    return {};
}
} // namespace

ParseResult parseArguments (const juce::StringArray& arguments)
{
    ParseResult result;
    auto& options = result.options;
    juce::StringArray positional;

    for (int i = 0; i < arguments.size() && result.ok(); ++i)
    {
        const auto& arg = arguments[i];
        const auto takeValue = [&] (juce::String& value)
        {
            if (i + 1 >= arguments.size())
            {
                result.error = arg + " needs a value";
                return false;
            }
            value = arguments[++i];
            return true;
        };

        juce::String value;
        if (arg == "-h" || arg == "--help")
            options.help = true;
        else if (arg == "--list")
            options.list = true;
        else if (arg == "--program")
        {
            if (takeValue (value))
                options.program = value.trim();
        }
        else if (arg == "--state")
        {
            if (takeValue (value))
                options.stateFile = value;
        }
        else if (arg == "--set")
        {
            ParameterAssignment assignment;
            if (takeValue (value))
                result.error = parseAssignment (value, assignment);
            if (result.ok())
                options.assignments.push_back (assignment);
        }
        else if (arg == "--bits")
        {
            if (takeValue (value))
            {
                const auto bits = parseInteger (value);
                if (bits && (*bits == 16 || *bits == 24 || *bits == 32))
                    options.bits = *bits;
                else
                    result.error = "bad --bits '" + value + "' (expected 16, 24 or 32)";
            }
        }
        else if (arg == "--block")
        {
            if (takeValue (value))
            {
                const auto block = parseInteger (value);
                if (block && *block >= 1 && *block <= maxBlockSize)
                    options.blockSize = *block;
                else
                    result.error = "bad --block '" + value + "' (expected a whole number from 1 to 65536)";
            }
        }
        else if (arg == "--plot")
        {
            if (takeValue (value))
                options.plotFile = value;
        }
        else if (arg == "--plot-size")
        {
            if (takeValue (value))
                result.error = parsePlotSize (value, options);
        }
        else if (arg == "--")
        {
            for (++i; i < arguments.size(); ++i)
                positional.add (arguments[i]);
        }
        else if (arg.startsWith ("-") && arg.length() > 1)
            result.error = "unknown option '" + arg + "'";
        else
            positional.add (arg);
    }

    if (!result.ok() || options.help)
        return result;

    if (positional.size() == 2)
    {
        options.input = positional[0];
        options.output = positional[1];
    }
    else if (positional.isEmpty() && (options.list || options.plotFile.isNotEmpty()))
    {
        // listing or plotting only: no audio needed
    }
    else if (positional.size() == 1)
        result.error = "missing OUTPUT file (usage: t9v210-render [options] INPUT OUTPUT)";
    else if (positional.isEmpty())
        result.error = "missing INPUT and OUTPUT files (usage: t9v210-render [options] INPUT OUTPUT)";
    else
        result.error = "too many file arguments (usage: t9v210-render [options] INPUT OUTPUT)";

    return result;
}
} // namespace t9render
