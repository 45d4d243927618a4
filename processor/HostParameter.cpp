#include "processor/HostParameter.h"

#include "processor/ParameterTable.h"
#include "processor/T9v210AudioProcessor.h"

namespace Tessaro9V
{
HostParameter::HostParameter (T9v210AudioProcessor& owner, int indexInTable)
    : AudioProcessorParameterWithID (
          juce::ParameterID{ parameterTable[static_cast<size_t> (indexInTable)].shortName, 1 },
          parameterTable[static_cast<size_t> (indexInTable)].name),
      processor (owner), index (indexInTable)
{
}

float HostParameter::getValue() const { return processor.getParameter (index); }

void HostParameter::setValue (float newValue) { processor.setParameter (index, newValue); }

float HostParameter::getDefaultValue() const { return processor.getParameterDefaultValue (index); }

juce::String HostParameter::getName (int maximumStringLength) const
{
    return processor.getParameterName (index).substring (0, maximumStringLength);
}
} // namespace Tessaro9V
