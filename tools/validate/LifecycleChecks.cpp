#include "Validator.h"

namespace t9validate
{
namespace
{
bool processSomeBlocks (Context& ctx, juce::AudioPluginInstance& p, int blocks, int blockSize)
{
    BlockBuffer buffer (2, blockSize);
    juce::MidiBuffer midi;
    for (int i = 0; i < blocks; ++i)
    {
        auto& b = buffer.view (blockSize);
        fillNoise (ctx, b, blockSize);
        process (p, b, midi);
        const auto s = scan (b, blockSize);
        if (!ctx.expect (s.clean(), "block " + juce::String (i) + ": " + s.describe()))
            return false;
    }
    return true;
}

void loadUnloadTenTimes (Context& ctx)
{
    for (int round = 0; round < 10; ++round)
    {
        auto p = ctx.create (44100.0, 256);
        if (p == nullptr)
            return;
        processSomeBlocks (ctx, *p, 4, 256);
        p->releaseResources();
    }
}

void severalInstancesAtOnce (Context& ctx)
{
    const double rates[] = { 44100.0, 48000.0, 96000.0, 22050.0 };
    std::vector<std::unique_ptr<juce::AudioPluginInstance>> instances;
    for (const double rate : rates)
    {
        instances.push_back (ctx.create (rate, 128));
        if (instances.back() == nullptr)
            return;
        randomiseParameters (ctx, *instances.back());
    }
    // Interleaved, as a host runs several tracks.
    for (int round = 0; round < 20; ++round)
        for (auto& p : instances)
            if (!processSomeBlocks (ctx, *p, 1, 128))
                return;
    // Destroyed out of creation order.
    instances.erase (instances.begin() + 1);
    instances.erase (instances.begin() + 2);
    for (auto& p : instances)
        processSomeBlocks (ctx, *p, 2, 128);
}

void releaseAndPrepareAgain (Context& ctx)
{
    auto p = ctx.create (48000.0, 512);
    if (p == nullptr)
        return;
    for (int cycle = 0; cycle < 8; ++cycle)
    {
        processSomeBlocks (ctx, *p, 3, 512);
        p->releaseResources();
        prepare (*p, cycle % 2 == 0 ? 96000.0 : 44100.0, 512);
    }
    processSomeBlocks (ctx, *p, 3, 512);
}
} // namespace

std::vector<Check> lifecycleChecks()
{
    return {
        { "load and unload ten times", loadUnloadTenTimes },
        { "several instances at once", severalInstancesAtOnce },
        { "release and prepare again", releaseAndPrepareAgain },
    };
}
} // namespace t9validate
