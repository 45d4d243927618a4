#pragma once

// Shared by the filter tests: tolerances, sine measurements and the reference responses,
// which are evaluated from the analog prototypes (bilinear transform, corner pre-warped)
// and the one-pole difference equation, not from the code under test.
#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <vector>

namespace filtertest
{
// Tolerances, all in one place.
namespace tolerance
{
inline constexpr double responseDb = 0.02;    // measured vs expected magnitude, passband and near it
inline constexpr double stopbandDb = 0.15;    // where the expected magnitude is below -40 dB
inline constexpr double tableGain = 5.0e-5;   // loGain against its four-decimal table
inline constexpr double tableCornerHz = 0.06; // low-band corner against its table (one decimal)
inline constexpr double statedDb = 0.006;     // dB values stated to two decimals

inline double forExpectedDb (double expectedDb) { return expectedDb < -40.0 ? stopbandDb : responseDb; }
} // namespace tolerance

inline constexpr double pi = 3.141592653589793238;
using Complex = std::complex<double>;

inline double toDb (double gain) { return 20.0 * std::log10 (gain); }

// s = j * tan(pi f / fs) / tan(pi fc / fs): the analog frequency that the bilinear transform
// pre-warped at fc maps f to.
inline Complex warped (double f, double fc, double fs)
{
    return { 0.0, std::tan (pi * f / fs) / std::tan (pi * fc / fs) };
}

inline double lowPass2 (double f, double fc, double q, double fs)
{
    const Complex s = warped (f, fc, fs);
    return std::abs (1.0 / (s * s + s / q + 1.0));
}

inline double highPass2 (double f, double fc, double q, double fs)
{
    const Complex s = warped (f, fc, fs);
    return std::abs (s * s / (s * s + s / q + 1.0));
}

// Peak of gain factor g at f0: (s^2 + s A/Q + 1) / (s^2 + s/(A Q) + 1), A = sqrt(g).
inline double peak (double f, double f0, double q, double g, double fs)
{
    const Complex s = warped (f, f0, fs);
    const double a = std::sqrt (g);
    return std::abs ((s * s + s * (a / q) + 1.0) / (s * s + s / (a * q) + 1.0));
}

// z = a x + (1 - a) z with a = 1 - e^(-2 pi fc / fs), as a transfer function.
inline Complex onePole (double f, double fc, double fs)
{
    const double a = 1.0 - std::exp (-2.0 * pi * fc / fs);
    const Complex zInv = std::polar (1.0, -2.0 * pi * f / fs);
    return a / (1.0 - (1.0 - a) * zInv);
}

// Runs a sine through `process` in blocks, lets it settle, then fits the output's
// fundamental by least squares; returns output amplitude / input amplitude.
inline double measureGain (const std::function<void (float*, int)>& process, double f, double fs,
                           float amplitude = 0.25f, int blockSize = 512)
{
    const int settle = static_cast<int> (fs * 0.5);
    const int window = static_cast<int> (fs * 0.5);
    const int total = settle + window;
    std::vector<float> block (static_cast<size_t> (blockSize));
    double ss = 0, cc = 0, sc = 0, ys = 0, yc = 0;
    for (int start = 0; start < total; start += blockSize)
    {
        const int n = std::min (blockSize, total - start);
        for (int i = 0; i < n; ++i)
            block[static_cast<size_t> (i)] =
                amplitude * static_cast<float> (std::sin (2.0 * pi * f * (start + i) / fs));
        process (block.data(), n);
        for (int i = 0; i < n; ++i)
        {
            if (start + i < settle)
                continue;
            const double theta = 2.0 * pi * f * (start + i) / fs;
            const double s = std::sin (theta), c = std::cos (theta), y = block[static_cast<size_t> (i)];
            ss += s * s, cc += c * c, sc += s * c, ys += y * s, yc += y * c;
        }
    }
    const double det = ss * cc - sc * sc;
    const double alpha = (ys * cc - yc * sc) / det, beta = (yc * ss - ys * sc) / det;
    return std::hypot (alpha, beta) / amplitude;
}

inline double measureGainDb (const std::function<void (float*, int)>& process, double f, double fs,
                             float amplitude = 0.25f, int blockSize = 512)
{
    return toDb (measureGain (process, f, fs, amplitude, blockSize));
}
} // namespace filtertest
