#include "Validator.h"

#include <cmath>
#include <limits>

namespace t9validate
{
namespace
{
constexpr double sampleRates[] = { 22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0 };
constexpr int blockSizes[] = { 1, 7, 32, 64, 511, 1024, 4096 };

// Runs blocks of noise and fails at the first one with a non-finite or subnormal sample.
bool runClean (Context& ctx, juce::AudioPluginInstance& p, BlockBuffer& buffer, int blockSize, int blocks,
               const juce::String& where)
{
    juce::MidiBuffer midi;
    for (int i = 0; i < blocks; ++i)
    {
        auto& b = buffer.view (blockSize);
        fillNoise (ctx, b, blockSize);
        process (p, b, midi);
        const auto s = scan (b, blockSize);
        if (!ctx.expect (s.clean(), where + ", block " + juce::String (i) + ": " + s.describe()))
            return false;
    }
    return true;
}

// A program keeps the sound honest: with every program in turn the filters, EQ and
// analog stages all take part somewhere in the grid.
void ratesAndBlockSizes (Context& ctx)
{
    auto p = ctx.create();
    if (p == nullptr)
        return;
    BlockBuffer buffer (2, 4096);
    int combination = 0;
    for (const double rate : sampleRates)
        for (const int block : blockSizes)
        {
            selectProgram (*p, combination++ % juce::jmax (1, p->getNumPrograms()));
            p->releaseResources();
            prepare (*p, rate, block);
            const int blocks = juce::jlimit (3, 3000, static_cast<int> (0.05 * rate) / block);
            if (!runClean (ctx, *p, buffer, block, blocks,
                           juce::String (rate) + " Hz, blocks of " + juce::String (block)))
                return;
        }
}

void randomBlockSizes (Context& ctx)
{
    auto p = ctx.create (48000.0, 4096);
    if (p == nullptr)
        return;
    BlockBuffer buffer (2, 4096);
    for (int i = 0; i < 600; ++i)
    {
        const int n = ctx.integer (0, 9) == 0 ? 0 : ctx.integer (1, 4096);
        if (i % 50 == 0)
            randomiseParameters (ctx, *p);
        if (!runClean (ctx, *p, buffer, n, 1, "random block of " + juce::String (n)))
            return;
    }
}

void prepareTwiceAndCycles (Context& ctx)
{
    auto p = ctx.create (44100.0, 512);
    if (p == nullptr)
        return;
    BlockBuffer buffer (2, 1024);
    runClean (ctx, *p, buffer, 512, 10, "before the second prepare");
    prepare (*p, 96000.0, 1024); // no release in between
    if (!runClean (ctx, *p, buffer, 1024, 10, "after prepareToPlay twice"))
        return;

    for (int cycle = 0; cycle < 10; ++cycle)
    {
        const double rate = sampleRates[static_cast<size_t> (ctx.integer (0, 6))];
        const int block = blockSizes[static_cast<size_t> (ctx.integer (0, 5))];
        p->releaseResources();
        prepare (*p, rate, block);
        randomiseParameters (ctx, *p);
        if (!runClean (ctx, *p, buffer, block, 20, "release/prepare cycle " + juce::String (cycle)))
            return;
    }
}

// One hostile sample, or a whole hostile block: every channel is finite again from the
// next block on.
void badInput (Context& ctx)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float values[] = { std::numeric_limits<float>::quiet_NaN(), inf, -inf, 1e30f, -1e30f };
    const char* names[] = { "NaN", "+Inf", "-Inf", "+1e30", "-1e30" };

    auto p = ctx.create (48000.0, 256);
    if (p == nullptr)
        return;
    BlockBuffer buffer (2, 256);
    juce::MidiBuffer midi;
    const int programs[] = { 0, 6, 9 };

    for (const int program : programs)
        for (size_t v = 0; v < std::size (values); ++v)
            for (const bool wholeBlock : { false, true })
            {
                selectProgram (*p, program);
                p->releaseResources();
                prepare (*p, 48000.0, 256);
                const juce::String where = juce::String (names[v]) +
                                           (wholeBlock ? " in a whole block" : " in one sample") + ", program " +
                                           juce::String (program);
                if (!runClean (ctx, *p, buffer, 256, 4, where + ", before"))
                    return;

                auto& b = buffer.view (256);
                fillNoise (ctx, b, 256);
                const int channel = ctx.integer (0, 1);
                if (wholeBlock)
                    juce::FloatVectorOperations::fill (b.getWritePointer (channel), values[v], 256);
                else
                    b.setSample (channel, ctx.integer (0, 255), values[v]);
                process (*p, b, midi);

                if (!runClean (ctx, *p, buffer, 256, 40, where + ", after"))
                    return;
            }
}

// Twenty seconds of silence per program: never a non-finite or subnormal sample, and with
// the analog stages off nothing at all comes out.
void silencePerProgram (Context& ctx)
{
    constexpr double rate = 44100.0;
    constexpr int block = 512;
    const int blocks = static_cast<int> (20.0 * rate / block);
    auto p = ctx.create (rate, block);
    if (p == nullptr)
        return;
    auto* analog = [&]() -> juce::AudioProcessorParameter*
    {
        for (auto* param : p->getParameters())
            if (param->getName (64) == "Analog")
                return param;
        return nullptr;
    }();
    if (!ctx.expect (analog != nullptr, "no parameter named \"Analog\""))
        return;

    BlockBuffer buffer (2, block);
    juce::MidiBuffer midi;
    for (int program = 0; program < p->getNumPrograms(); ++program)
        for (const bool analogOn : { true, false })
        {
            selectProgram (*p, program);
            analog->setValue (analogOn ? 1.0f : 0.0f);
            p->releaseResources();
            prepare (*p, rate, block);
            int loudBlocks = 0;
            for (int i = 0; i < blocks; ++i)
            {
                auto& b = buffer.view (block);
                b.clear();
                process (*p, b, midi);
                const auto s = scan (b, block);
                if (!ctx.expect (s.clean(), "program " + juce::String (program) + (analogOn ? "" : " analog off") +
                                                ", block " + juce::String (i) + ": " + s.describe()))
                    return;
                if (!analogOn && b.getMagnitude (0, block) != 0.0f)
                    ++loudBlocks;
            }
            ctx.expect (loudBlocks == 0, "program " + juce::String (program) + " with analog off: " +
                                             juce::String (loudBlocks) + " blocks of silence in were not silent out");
        }
}
} // namespace

std::vector<Check> processingChecks()
{
    return {
        { "sample rates and block sizes", ratesAndBlockSizes },
        { "random block sizes including 0", randomBlockSizes },
        { "prepare twice, release/prepare cycles", prepareTwiceAndCycles },
        { "NaN, Inf and huge input samples", badInput },
        { "twenty seconds of silence per program", silencePerProgram },
    };
}
} // namespace t9validate
