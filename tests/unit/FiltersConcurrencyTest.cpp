// Coefficient changes from another thread while the block processes. Also meant to run
// under ThreadSanitizer (build with -DT9V_SANITIZE=thread).
#include "dsp/Tessaro9VFilters.h"
#include "processor/ParameterTable.h"
#include "support/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

using namespace Tessaro9V;

namespace
{
using Setter = std::function<void (Tessaro9VFilters&)>;

struct Flip
{
    const char* name;
    Setter setup, toA, toB;
};

// Impulses every 1024 samples over two scratch lengths, then enough silence for every
// section used here to decay to zero: each block starts from silence and its output is
// exactly the response of one coefficient set. A block that changed sets part-way
// matches neither.
std::vector<float> impulseBlock()
{
    std::vector<float> v (3 * Tessaro9VFilters::scratchSize, 0.0f);
    for (int i = 0; i < 2 * Tessaro9VFilters::scratchSize; i += 1024)
        v[static_cast<size_t> (i)] = 1.0f;
    return v;
}

std::vector<float> responseOf (const Flip& flip, const Setter& set)
{
    Tessaro9VFilters block;
    block.prepareToPlay (48000.0, 1);
    flip.setup (block);
    set (block);
    auto v = impulseBlock();
    block.processSamples (v.data(), static_cast<int> (v.size()), 0);
    return v;
}
} // namespace

TEST (FiltersConcurrency, ABlockRunsWithOneCoefficientSetOnly)
{
    const Flip flips[] = {
        { "high band",
          [] (auto& b)
          {
              b.eqOn = true;
              b.analog = false;
          },
          [] (auto& b) { b.setHi (1, 0.0); }, [] (auto& b) { b.setHi (1, 1.0); } },
        { "analog high band",
          [] (auto& b)
          {
              b.eqOn = true;
              b.analog = true;
          },
          [] (auto& b) { b.setHi (0, 0.3); }, [] (auto& b) { b.setHi (2, 1.0); } },
        { "high-pass", [] (auto& b) { b.hpOn = true; }, [] (auto& b) { b.setHP (1000.0, 2); },
          [] (auto& b) { b.setHP (3000.0, 2); } },
        { "first-order low-pass", [] (auto& b) { b.lpOn = true; }, [] (auto& b) { b.setLP (2000.0, 1); },
          [] (auto& b) { b.setLP (5000.0, 1); } },
    };

    for (const auto& flip : flips)
    {
        const auto expectA = responseOf (flip, flip.toA);
        const auto expectB = responseOf (flip, flip.toB);
        ASSERT_NE (expectA, expectB) << flip.name;

        Tessaro9VFilters block;
        block.prepareToPlay (48000.0, 1);
        flip.setup (block);
        flip.toA (block);

        std::atomic<bool> stop{ false };
        std::thread setter (
            [&]
            {
                while (!stop.load())
                {
                    flip.toB (block);
                    flip.toA (block);
                }
            });

        int seenA = 0, seenB = 0, mixed = 0;
        for (int n = 0; n < 1000; ++n)
        {
            auto v = impulseBlock();
            block.processSamples (v.data(), static_cast<int> (v.size()), 0);
            if (v == expectA)
                ++seenA;
            else if (v == expectB)
                ++seenB;
            else
                ++mixed;
        }
        stop = true;
        setter.join();

        EXPECT_EQ (mixed, 0) << flip.name << " A " << seenA << " B " << seenB;
        EXPECT_GT (seenA, 0) << flip.name;
        EXPECT_GT (seenB, 0) << flip.name;
    }
}

TEST (FiltersConcurrency, ParameterChangesDuringProcessingStayFinite)
{
    t9test::Harness h (2, 2, 48000.0, 512);
    for (const int index : { kEqOn, kLowFilterOn, kHighFilterOn })
        h.set (index, 1.0f);

    std::atomic<bool> stop{ false };
    std::thread automation (
        [&]
        {
            for (int i = 0; !stop.load(); ++i)
            {
                const float v = static_cast<float> (i % 11) / 10.0f;
                for (const int index : { kHiBoost, kHiFrequency, kLowBoost, kLowFrequency, kLowpassFrequency,
                                         kLowpassSlope, kHighpassFrequency, kHighpassSlope, kAnalog })
                    h.set (index, v);
            }
        });

    for (int n = 0; n < 200; ++n)
    {
        auto buffer = t9test::sineBuffer (2, 512, 300.0, 48000.0, 0.5f);
        h.process (buffer);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                ASSERT_TRUE (std::isfinite (buffer.getSample (c, i)));
    }
    stop = true;
    automation.join();
}
