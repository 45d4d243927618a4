#include "processor/T9v210AudioProcessor.h"

// The framework's wrappers call this once per plug-in instance.
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new Tessaro9V::T9v210AudioProcessor();
}
