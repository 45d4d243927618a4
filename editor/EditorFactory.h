#pragma once

namespace juce
{
class AudioProcessorEditor;
}

namespace Tessaro9V
{
class T9v210AudioProcessor;

// The processor's only link to the editor: it asks for one and hands it to the host.
juce::AudioProcessorEditor* createPluginEditor (T9v210AudioProcessor& processor);
} // namespace Tessaro9V
