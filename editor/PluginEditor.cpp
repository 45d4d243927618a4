#include "editor/PluginEditor.h"

#include "editor/EditorFactory.h"
#include "editor/T9VUI.h"

_9v210AudioProcessorEditor::_9v210AudioProcessorEditor (Tessaro9V::T9v210AudioProcessor& owner)
    : AudioProcessorEditor (owner)
{
    setSize (300, 525);
    panel = std::make_unique<T9VUI> (&owner);
    addAndMakeVisible (panel.get(), 0);
}

_9v210AudioProcessorEditor::~_9v210AudioProcessorEditor()
{
    panel.reset();
}

namespace Tessaro9V
{
juce::AudioProcessorEditor* createPluginEditor (T9v210AudioProcessor& processor)
{
    return new _9v210AudioProcessorEditor (processor);
}
} // namespace Tessaro9V
