#include "dsp/Tessaro9VDynamicHiPass.h"

#include "dsp/CoefficientDesigns.h"
#include "dsp/SoftSaturation.h"

#include <cmath>

namespace Tessaro9V
{
namespace
{
// The single-precision values a section holds for a design (normalised by a0).
std::array<float, 5> normalised (const BiquadDesign& d) noexcept
{
    const juce::IIRCoefficients c (d.b0, d.b1, d.b2, d.a0, d.a1, d.a2);
    return { c.coefficients[0], c.coefficients[1], c.coefficients[2], c.coefficients[3], c.coefficients[4] };
}
} // namespace

void Tessaro9VDynamicHiPass::init (double sampleRate) noexcept
{
    const BiquadDesign quietDesign = designs::highPass (sampleRate, 42.0, designs::invQ1);
    const BiquadDesign loudDesign = designs::highPass (sampleRate, 18.0, designs::invQ0_7071);

    if (BiquadSection::isUsable (quietDesign) && BiquadSection::isUsable (loudDesign))
    {
        const auto quiet = normalised (quietDesign);
        const auto loud = normalised (loudDesign);
        for (size_t i = 0; i < quiet.size(); ++i)
        {
            quietCoeffs[i] = quiet[i];
            coeffDelta[i] = loud[i] - quiet[i]; // in single precision
        }
    }
    else
    {
        // No usable high-pass at this rate: the stage passes the signal unchanged.
        quietCoeffs = { 1.0, 0.0, 0.0, 0.0, 0.0 };
        coeffDelta = {};
    }

    filter.reset();
    installControl (0.0);
    envelope = 0.0;
    envA = 1.0 - std::exp (-1.0 / (0.005 * sampleRate));
    envB = 1.0 - envA;
}

void Tessaro9VDynamicHiPass::installControl (double c) noexcept
{
    const auto at = [&] (size_t i) { return quietCoeffs[i] + c * coeffDelta[i]; };
    // Any c in 0..1 gives a stable set (the stability region is convex); a NaN control
    // is refused by the section, which keeps its previous set.
    filter.install ({ at (0), at (1), at (2), 1.0, at (3), at (4) });
    lastControl = c;
}

void Tessaro9VDynamicHiPass::process (float* data, int numSamples) noexcept
{
    for (int i = 0; i < numSamples; ++i)
    {
        const float x = data[i];
        envelope = envA * std::abs (static_cast<double> (x)) + envB * envelope;
        const double c = softSaturation (5.0 * envelope);
        if (c != lastControl) // also true when either is NaN
            installControl (c);
        data[i] = filter.processSample (x);
    }
}

void Tessaro9VDynamicHiPass::sanitiseState() noexcept
{
    if (!std::isfinite (envelope) || envelope < 1.0e-30)
        envelope = 0.0;
    if (!std::isfinite (lastControl))
        lastControl = -1.0; // forces a fresh install at the next sample
    filter.clearNonFiniteState();
}
} // namespace Tessaro9V
