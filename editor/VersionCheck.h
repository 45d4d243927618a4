#pragma once

#include <juce_core/juce_core.h>

#include <functional>
#include <optional>

namespace Tessaro9V
{
// The version-list handling: the text of the first direct child of the document's root
// whose tag is the product's model name (ASCII case-insensitive), or nothing when the text
// is not XML or lists no such entry.
std::optional<juce::String> findListedVersion (const juce::String& versionListXml, const juce::String& modelName);

// True when the listed version differs from ours (ASCII case-insensitive, otherwise exact).
bool isDifferentVersion (const juce::String& listed, const juce::String& local);

// Fetches a version list on a background thread with bounded connection and read times and
// a bounded size, and hands the text (empty on any failure) to a callback on the message
// thread. Destroying the fetcher cancels a request in flight and never delivers its result.
class VersionListFetcher : private juce::Thread
{
public:
    struct Options
    {
        int timeoutMs = 4000;
        int maxBytes = 64 * 1024;
    };

    VersionListFetcher();
    ~VersionListFetcher() override;

    void start (const juce::URL& url, Options options, std::function<void (juce::String)> onResult);

private:
    void run() override;

    std::optional<juce::URL> url; // built in place: the framework's URL copy-assignment memcpys a null block
    Options options;
    std::function<void (juce::String)> callback;
    juce::CriticalSection streamLock;
    juce::WebInputStream* activeStream = nullptr;
    std::shared_ptr<std::atomic<bool>> alive = std::make_shared<std::atomic<bool>> (true);
};
} // namespace Tessaro9V
