#include "dsp/CoefficientDesigns.h"

#include <algorithm>
#include <cmath>

namespace Tessaro9V::designs
{
namespace
{
constexpr double pi = 3.141592653589793;

double shelfBeta (double w, double s, double a) noexcept
{
    return std::sin (w) * std::sqrt ((a * a + 1.0) * (1.0 / s - 1.0) + 2.0 * a);
}
} // namespace

float gainFromDecibels (double dB) noexcept
{
    return dB > -100.0 ? static_cast<float> (std::pow (10.0, 0.05 * dB)) : 0.0f;
}

double amplitudeFromGain (float gain) noexcept
{
    const float root = std::sqrt (gain);
    return root > 0.0f ? static_cast<double> (root) : 0.0;
}

BiquadDesign highPass (double fs, double f, double invQ) noexcept
{
    const double n = std::tan (pi * f / fs);
    const double c = 1.0 / (1.0 + n * invQ + n * n);
    return { c, -2.0 * c, c, 1.0, 2.0 * c * (n * n - 1.0), c * (1.0 - n * invQ + n * n) };
}

BiquadDesign lowPass (double fs, double f, double invQ) noexcept
{
    const double n = 1.0 / std::tan (pi * f / fs);
    const double c = 1.0 / (1.0 + n * invQ + n * n);
    return { c, 2.0 * c, c, 1.0, 2.0 * c * (1.0 - n * n), c * (1.0 - n * invQ + n * n) };
}

BiquadDesign peak (double fs, double f, double q, double a) noexcept
{
    const double w = 2.0 * pi * f / fs;
    const double alpha = std::sin (w) / (2.0 * q);
    const double cosW = std::cos (w);
    return { 1.0 + alpha * a, -2.0 * cosW, 1.0 - alpha * a, 1.0 + alpha / a, -2.0 * cosW, 1.0 - alpha / a };
}

BiquadDesign lowShelf (double fs, double f, double s, double a) noexcept
{
    const double w = 2.0 * pi * std::max (f, 2.0) / fs;
    const double beta = shelfBeta (w, s, a);
    const double cosW = std::cos (w);
    return { a * ((a + 1.0) - (a - 1.0) * cosW + beta),
             2.0 * a * ((a - 1.0) - (a + 1.0) * cosW),
             a * ((a + 1.0) - (a - 1.0) * cosW - beta),
             (a + 1.0) + (a - 1.0) * cosW + beta,
             -2.0 * ((a - 1.0) + (a + 1.0) * cosW),
             (a + 1.0) + (a - 1.0) * cosW - beta };
}

BiquadDesign highShelf (double fs, double f, double s, double a) noexcept
{
    const double w = 2.0 * pi * std::max (f, 2.0) / fs;
    const double beta = shelfBeta (w, s, a);
    const double cosW = std::cos (w);
    return { a * ((a + 1.0) + (a - 1.0) * cosW + beta),
             -2.0 * a * ((a - 1.0) + (a + 1.0) * cosW),
             a * ((a + 1.0) + (a - 1.0) * cosW - beta),
             (a + 1.0) - (a - 1.0) * cosW + beta,
             2.0 * ((a - 1.0) - (a + 1.0) * cosW),
             (a + 1.0) - (a - 1.0) * cosW - beta };
}
} // namespace Tessaro9V::designs
