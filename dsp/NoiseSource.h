#pragma once

#include <cstdint>

namespace Tessaro9V
{
// Uniform integers over 0 .. 2^31 - 1 (the range of the C library's rand()), from a
// per-instance generator so that renders are reproducible and instances never share
// state across threads. A 64-bit linear congruential step; the top 31 bits are used.
class NoiseSource
{
public:
    static constexpr uint32_t maxValue = 0x7fffffffu;

    explicit NoiseSource (uint64_t seed = 0x9e3779b97f4a7c15ull) noexcept : state (seed) {}

    uint32_t next() noexcept
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<uint32_t> (state >> 33);
    }

private:
    uint64_t state;
};
} // namespace Tessaro9V
