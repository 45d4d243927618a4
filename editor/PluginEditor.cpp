#include "editor/PluginEditor.h"

#include "editor/EditorFactory.h"

_9v210AudioProcessorEditor::_9v210AudioProcessorEditor (Tessaro9V::T9v210AudioProcessor& owner)
    : AudioProcessorEditor (owner)
{
    setSize (300, 525);
}

_9v210AudioProcessorEditor::~_9v210AudioProcessorEditor() = default;

void _9v210AudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::darkgrey);
}

namespace Tessaro9V
{
juce::AudioProcessorEditor* createPluginEditor (T9v210AudioProcessor& processor)
{
    return new _9v210AudioProcessorEditor (processor);
}
} // namespace Tessaro9V
