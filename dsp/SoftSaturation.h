#pragma once

namespace Tessaro9V
{
// The soft-saturation curve P: x(x^2 + 27) / (9x^2 + 27) on [-3, 3], +-1 beyond.
// Odd, continuous at +-3, close to tanh for small x. NaN passes through.
template <typename T>
inline T softSaturation (T x) noexcept
{
    if (x < T (-3))
        return T (-1);
    if (x > T (3))
        return T (1);
    const T x2 = x * x;
    return x * (x2 + T (27)) / (T (9) * x2 + T (27));
}
} // namespace Tessaro9V
