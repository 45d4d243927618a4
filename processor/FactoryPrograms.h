#pragma once

#include "processor/Settings.h"

#include <array>

namespace Tessaro9V
{
inline constexpr int numFactoryPrograms = 11;

struct FactoryProgram
{
    const char* name;
    Settings values;
};

// The fixed factory programs, in host order.
const std::array<FactoryProgram, numFactoryPrograms>& factoryPrograms();
} // namespace Tessaro9V
