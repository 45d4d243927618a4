#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

namespace Tessaro9V
{
class T9v210AudioProcessor;

// Presents one of the processor's indexed parameters to the framework. All behaviour
// lives in the processor's own members; this class only forwards by index. Its ID is the
// parameter's short name: the LV2 export names each parameter by its ID, and the default
// numeric IDs collapse there ("0" to "9" all become the same name).
class HostParameter final : public juce::AudioProcessorParameterWithID
{
public:
    HostParameter (T9v210AudioProcessor& owner, int index);

    float getValue() const override;
    void setValue (float newValue) override;
    float getDefaultValue() const override;
    juce::String getName (int maximumStringLength) const override;
    juce::String getLabel() const override { return {}; }
    juce::String getText (float, int) const override { return {}; }
    float getValueForText (const juce::String& text) const override { return text.getFloatValue(); }

private:
    T9v210AudioProcessor& processor;
    const int index;
};
} // namespace Tessaro9V
