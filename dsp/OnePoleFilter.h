#pragma once

#include <atomic>
#include <cmath>

namespace Tessaro9V
{
// z = a*x + b*z in double precision, output in single precision. The coefficients may be
// changed from another thread while the audio thread runs (relaxed atomics, no lock);
// a change never resets z.
class OnePoleFilter
{
public:
    OnePoleFilter() noexcept { set (0.1, 0.9); }

    void set (double newA, double newB) noexcept
    {
        a.store (newA, std::memory_order_relaxed);
        b.store (newB, std::memory_order_relaxed);
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

    double getA() const noexcept { return a.load (std::memory_order_relaxed); }
    double getB() const noexcept { return b.load (std::memory_order_relaxed); }
    double getState() const noexcept { return z; }

    float processSample (float x) noexcept
    {
        z = a.load (std::memory_order_relaxed) * x + b.load (std::memory_order_relaxed) * z;
        return static_cast<float> (z);
    }

    void process (float* data, int numSamples) noexcept
    {
        const double ca = a.load (std::memory_order_relaxed);
        const double cb = b.load (std::memory_order_relaxed);
        double state = z;
        for (int i = 0; i < numSamples; ++i)
        {
            state = ca * data[i] + cb * state;
            data[i] = static_cast<float> (state);
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
    std::atomic<double> a { 0.1 }, b { 0.9 };
    double z = 0.0;
};
} // namespace Tessaro9V
