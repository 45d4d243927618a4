#pragma once

#include "dsp/BiquadSection.h"

namespace Tessaro9V::designs
{
// 1/Q values of the quality factors the blocks use, from their four-decimal forms.
inline constexpr double invQ0_7071 = 1.4142271248762552;
inline constexpr double invQ0_5176 = 1.9319938176197837;
inline constexpr double invQ1_9319 = 0.5176251358765982;
inline constexpr double invQ0_5412 = 1.8477457501847745;
inline constexpr double invQ1_3065 = 0.7654037504783774;
inline constexpr double invQ1 = 1.0;
inline constexpr double invSqrt2 = 1.4142135623730951; // exactly sqrt(2)

// Gain factor from decibels, single precision: 10^(0.05 dB) above -100 dB, else 0.
float gainFromDecibels (double dB) noexcept;
// A = sqrt(G) in single precision (0 unless the root is positive), widened.
double amplitudeFromGain (float gain) noexcept;

// The designs take the sample rate fs, frequencies in Hz, and return the raw six values.
BiquadDesign highPass (double fs, double f, double invQ) noexcept;
BiquadDesign lowPass (double fs, double f, double invQ) noexcept;
BiquadDesign peak (double fs, double f, double q, double a) noexcept;
BiquadDesign lowShelf (double fs, double f, double s, double a) noexcept;
BiquadDesign highShelf (double fs, double f, double s, double a) noexcept;
} // namespace Tessaro9V::designs
