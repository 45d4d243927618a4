#pragma once

#include <cmath>

namespace Tessaro9V
{
// Low-frequency saturation of the transformer: the leaky integral of the signal is shaped
// by g = 1.5 h - 0.5 tanh(k h) / k and differentiated back with the same pole. Transparent
// for small k h; large integrated excursions (low frequencies, high levels) are expanded.
// Double precision throughout.
class TransfoSaturation
{
public:
    // A 2.5 ms time constant for both poles; clears the history.
    void init (double sampleRate) noexcept
    {
        integratorCoeff = 1.0 - std::exp (-1.0 / (0.0025 * sampleRate));
        differentiatorCoeff = integratorCoeff;
        hPrev = gPrev = 0.0;
    }

    // k is the block's scale, 300 / sample rate.
    void process (float* data, int numSamples, double k) noexcept
    {
        const double ri = 1.0 - integratorCoeff;
        const double rd = 1.0 - differentiatorCoeff;
        double hp = hPrev, gp = gPrev;
        for (int i = 0; i < numSamples; ++i)
        {
            const double h = data[i] + ri * hp;
            const double g = 1.5 * h - 0.5 * std::tanh (k * h) / k;
            data[i] = static_cast<float> (g - rd * gp);
            hp = h;
            gp = g;
        }
        hPrev = hp;
        gPrev = gp;
    }

    // End of block: a non-finite history (from a bad input sample) is cleared, and a
    // history that has decayed to nothing audible is flushed so that it never turns into
    // subnormal numbers.
    void sanitiseState() noexcept
    {
        const bool finite = std::isfinite (hPrev) && std::isfinite (gPrev);
        if (!finite || (std::abs (hPrev) < 1.0e-15 && std::abs (gPrev) < 1.0e-15))
            hPrev = gPrev = 0.0;
    }

    double integratorState() const noexcept { return hPrev; }
    double shapedState() const noexcept { return gPrev; }

private:
    double hPrev = 0.0;
    double gPrev = 0.0;
    double integratorCoeff = 0.0;
    double differentiatorCoeff = 0.0;
};
} // namespace Tessaro9V
