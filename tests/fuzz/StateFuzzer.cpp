// Feeds arbitrary bytes to setStateInformation as a host's saved state would arrive, then
// runs a block and saves again: nothing may crash or trip a sanitizer, and whatever the
// restore left behind must still save as a document that reads back.
#include "processor/StateDocument.h"
#include "processor/T9v210AudioProcessor.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size > static_cast<size_t> (std::numeric_limits<int>::max()))
        return 0;

    Tessaro9V::T9v210AudioProcessor processor;
    processor.setRateAndBufferSizeDetails (48000.0, 64);
    processor.prepareToPlay (48000.0, 64);
    processor.setStateInformation (data, static_cast<int> (size));

    juce::AudioBuffer<float> buffer (2, 64);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 64; ++i)
            buffer.setSample (c, i, 0.25f * static_cast<float> ((i % 16) - 8) / 8.0f);
    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);

    juce::MemoryBlock saved;
    processor.getStateInformation (saved);
    if (Tessaro9V::stateDocument::readContainer (saved.getData(), static_cast<int> (saved.getSize())) == nullptr)
        std::abort(); // our own output must always be accepted
    return 0;
}
