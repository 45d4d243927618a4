#include "HostEnvironment.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace t9vhost
{
namespace
{
std::unique_ptr<juce::AudioPluginFormatManager> formats;
} // namespace

juce::AudioPluginFormat& hostFormat (const juce::String& name)
{
    if (formats == nullptr)
    {
        formats = std::make_unique<juce::AudioPluginFormatManager>();
        formats->addFormat (new juce::VST3PluginFormat());
        formats->addFormat (new juce::LV2PluginFormat());
    }
    for (auto* format : formats->getFormats())
        if (format->getName() == name)
            return *format;
    std::abort(); // both formats are compiled in
}
} // namespace t9vhost

int main (int argc, char** argv)
{
    // No windows are opened: without a display nothing reaches an X server, whatever the
    // environment this runs in.
    unsetenv ("DISPLAY");

    // JUCE's LV2 host also scans ~/.lv2, where an installed copy of the plug-in would
    // stand in for the bundle under test: give it an empty home.
    const auto home = juce::File::createTempFile ("t9v210-host-home");
    home.createDirectory();
    setenv ("HOME", home.getFullPathName().toRawUTF8(), 1);

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juceInitialiser;
        ::testing::InitGoogleTest (&argc, argv);
        result = RUN_ALL_TESTS();
        t9vhost::formats.reset();
    }
    home.deleteRecursively();
    return result;
}
