#pragma once

#include "processor/T9v210AudioProcessor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class T9VUI;

// The editor the host receives: a fixed 300 x 525 shell that owns the front panel.
class _9v210AudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit _9v210AudioProcessorEditor (Tessaro9V::T9v210AudioProcessor& owner);
    ~_9v210AudioProcessorEditor() override;

    void paint (juce::Graphics&) override {}

    T9VUI* getPanel() const noexcept { return panel.get(); }

private:
    std::unique_ptr<T9VUI> panel;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (_9v210AudioProcessorEditor)
};
