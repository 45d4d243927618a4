// The equaliser-and-filters block at 48 kHz, stereo, 512-sample blocks, everything on:
// analog high band, low band, low-pass and high-pass at slope code 6.
#include "dsp/Tessaro9VFilters.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
void FiltersBlockStereo512 (benchmark::State& state)
{
    constexpr int blockSize = 512, channels = 2;
    Tessaro9V::Tessaro9VFilters filters;
    filters.prepareToPlay (48000.0, channels);
    filters.setHi (1, 0.7);
    filters.setLo (1, 0.5);
    filters.setLP (12000.0, 6);
    filters.setHP (40.0, 6);
    filters.eqOn = true;
    filters.lpOn = true;
    filters.hpOn = true;
    filters.analog = true;

    std::vector<std::vector<float>> input (channels, std::vector<float> (blockSize));
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < blockSize; ++i)
            input[static_cast<size_t> (c)][static_cast<size_t> (i)] =
                0.5f * static_cast<float> (std::sin (0.05 * i + c));
    auto buffers = input;

    for (auto _ : state)
    {
        for (int c = 0; c < channels; ++c)
        {
            auto& b = buffers[static_cast<size_t> (c)];
            b = input[static_cast<size_t> (c)];
            filters.processSamples (b.data(), blockSize, c);
        }
        benchmark::DoNotOptimize (buffers.front().data());
        benchmark::ClobberMemory();
    }
    // Items are samples (per channel): the time per item is ns per sample per channel.
    state.SetItemsProcessed (state.iterations() * blockSize * channels);
}
BENCHMARK (FiltersBlockStereo512);
} // namespace
