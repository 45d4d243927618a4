#pragma once

#include <atomic>
#include <cmath>
#include <thread>

namespace Tessaro9V
{
// z = a*x + b*z in double precision, output in single precision. The coefficients may be
// changed from another thread while the audio thread runs; a change never resets z.
// The pair (a, b) is published under a sequence count, so a reader never combines a new a
// with an old b (from a low corner to pass-through that mix has a DC gain of 1/a).
class OnePoleFilter
{
public:
    OnePoleFilter() noexcept { set (0.1, 0.9); }

    // Writers serialise on the odd count (setters are rare).
    void set (double newA, double newB) noexcept
    {
        unsigned expected = sequence.load (std::memory_order_relaxed) & ~1u;
        while (!sequence.compare_exchange_weak (expected, expected + 1, std::memory_order_acquire,
                                                std::memory_order_relaxed))
            expected &= ~1u;
        a.store (newA, std::memory_order_release);
        b.store (newB, std::memory_order_release);
        sequence.store (expected + 2, std::memory_order_release);
    }

    // First-order low-pass with unity gain at DC. A non-finite corner changes nothing.
    void setLowPass (double frequency, double sampleRate) noexcept
    {
        const double newA = 1.0 - std::exp (-2.0 * 3.141592653589793 * frequency / sampleRate);
        if (std::isfinite (newA))
            set (newA, 1.0 - newA);
    }

    void setPassThrough() noexcept { set (1.0, 0.0); }
    void setSilent() noexcept { set (0.0, 0.0); }

    double getA() const noexcept { return coefficients().a; }
    double getB() const noexcept { return coefficients().b; }
    double getState() const noexcept { return z; }

    float processSample (float x) noexcept
    {
        const Pair c = coefficients();
        z = c.a * x + c.b * z;
        return static_cast<float> (z);
    }

    void process (float* data, int numSamples) noexcept
    {
        const Pair c = coefficients();
        const double ca = c.a, cb = c.b;
        double state = z;
        for (int i = 0; i < numSamples; ++i)
        {
            state = ca * data[i] + cb * state;
            data[i] = static_cast<float> (state);
        }
        z = state;
    }

    // The complement x - z per sample, in double precision: with a low-pass setting this
    // is a first-order high-pass, with the silent setting it passes the input unchanged.
    void processComplement (float* data, int numSamples) noexcept
    {
        const Pair c = coefficients();
        const double ca = c.a, cb = c.b;
        double state = z;
        for (int i = 0; i < numSamples; ++i)
        {
            const double x = data[i];
            state = ca * x + cb * state;
            data[i] = static_cast<float> (x - state);
        }
        z = state;
    }

    // Called at the end of a block: a non-finite state (from a bad input sample) would
    // otherwise stay forever.
    void clearNonFiniteState() noexcept
    {
        if (! std::isfinite (z))
            z = 0.0;
    }

    void reset() noexcept { z = 0.0; }

private:
    struct Pair
    {
        double a, b;
    };

    bool tryRead (Pair& p) const noexcept
    {
        const unsigned before = sequence.load (std::memory_order_acquire);
        p = { a.load (std::memory_order_acquire), b.load (std::memory_order_acquire) };
        return (before & 1u) == 0 && sequence.load (std::memory_order_relaxed) == before;
    }

    // A consistent pair, re-read while a write overlaps. A writer holds the odd count only
    // for two stores, so this waits no longer than a biquad section's own lock would.
    Pair coefficients() const noexcept
    {
        Pair p{};
        for (int attempt = 0; !tryRead (p);)
            if (attempt < 64)
                ++attempt;
            else
                std::this_thread::yield();
        return p;
    }

    std::atomic<unsigned> sequence{ 0 };
    std::atomic<double> a{ 0.1 }, b{ 0.9 };
    double z = 0.0;
};
} // namespace Tessaro9V
