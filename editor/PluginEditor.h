#pragma once

#include "processor/T9v210AudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The editor the host receives: a fixed-size shell around the front panel.
class _9v210AudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit _9v210AudioProcessorEditor (Tessaro9V::T9v210AudioProcessor& owner);
    ~_9v210AudioProcessorEditor() override;

    void paint (juce::Graphics&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (_9v210AudioProcessorEditor)
};
