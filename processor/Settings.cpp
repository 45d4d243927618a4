#include "processor/Settings.h"

#include "processor/RelaxedAccess.h"

namespace Tessaro9V
{
namespace
{
template <typename Visitor>
void forEachField (Settings& a, const Settings& b, Visitor&& visit)
{
    visit (a.inputGain, b.inputGain);
    visit (a.outputLevel, b.outputLevel);
    visit (a.link, b.link);
    visit (a.hiBoost, b.hiBoost);
    visit (a.hiFrequency, b.hiFrequency);
    visit (a.lowBoost, b.lowBoost);
    visit (a.lowFrequency, b.lowFrequency);
    visit (a.eqOn, b.eqOn);
    visit (a.polarity, b.polarity);
    visit (a.analog, b.analog);
    visit (a.lowpassFrequency, b.lowpassFrequency);
    visit (a.lowpassSlope, b.lowpassSlope);
    visit (a.lowFilterOn, b.lowFilterOn);
    visit (a.highpassFrequency, b.highpassFrequency);
    visit (a.highpassSlope, b.highpassSlope);
    visit (a.highFilterOn, b.highFilterOn);
    visit (a.bypass, b.bypass);
    visit (a.internalScale, b.internalScale);
}
} // namespace

Settings loadSettings (const Settings& shared) noexcept
{
    Settings copy;
    forEachField (copy, shared, [] (auto& dst, const auto& src) { dst = relaxedLoad (src); });
    return copy;
}

void storeSettings (Settings& shared, const Settings& values) noexcept
{
    forEachField (shared, values, [] (auto& dst, const auto& src) { relaxedStore (dst, src); });
}
} // namespace Tessaro9V
