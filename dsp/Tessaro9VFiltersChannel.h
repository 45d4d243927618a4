#pragma once

#include "dsp/BiquadSection.h"
#include "dsp/OnePoleFilter.h"

#include <array>

namespace Tessaro9V
{
// The filter state of one channel of the equaliser-and-filters block. A new state passes
// the signal unchanged in every stage until the block's setters configure it.
struct Tessaro9VFiltersChannel
{
    Tessaro9VFiltersChannel() noexcept
    {
        for (auto& p : lpOnePoles)
            p.setPassThrough();
        hpFirstOrder.setSilent();
    }

    // A bad input sample must not leave a stage stuck on a non-finite state.
    void clearNonFiniteState() noexcept
    {
        hiBand.clearNonFiniteState();
        loBand.clearNonFiniteState();
        for (auto& s : lpBiquads)
            s.clearNonFiniteState();
        for (auto& p : lpOnePoles)
            p.clearNonFiniteState();
        for (auto& s : hpBiquads)
            s.clearNonFiniteState();
        hpFirstOrder.clearNonFiniteState();
    }

    BiquadSection hiBand;                    // high band peak
    OnePoleFilter loBand;                    // low band low-pass (its output is added)
    std::array<BiquadSection, 3> lpBiquads;  // low-pass, slope code 6
    std::array<OnePoleFilter, 4> lpOnePoles; // low-pass, slope codes 1 to 4
    std::array<BiquadSection, 3> hpBiquads;  // high-pass, slope codes 2, 3, 4, 6
    OnePoleFilter hpFirstOrder;              // first-order part of the high-pass (subtracted)
};
} // namespace Tessaro9V
