#include "editor/VersionCheck.h"

#include "processor/StateDocument.h"

#include <juce_events/juce_events.h>

#include <cstring>

namespace Tessaro9V
{
std::optional<juce::String> findListedVersion (const juce::String& versionListXml, const juce::String& modelName)
{
    const auto utf8 = versionListXml.toRawUTF8();
    const auto root = stateDocument::parseUntrustedXml (utf8, std::strlen (utf8));
    if (root == nullptr)
        return std::nullopt;

    for (auto* child : root->getChildIterator())
        if (child->isTextElement() == false && child->getTagName().equalsIgnoreCase (modelName))
            return child->getAllSubText();
    return std::nullopt;
}

bool isDifferentVersion (const juce::String& listed, const juce::String& local)
{
    return ! listed.equalsIgnoreCase (local);
}

VersionListFetcher::VersionListFetcher() : juce::Thread ("9V-210 version check") {}

VersionListFetcher::~VersionListFetcher()
{
    alive->store (false);
    signalThreadShouldExit();
    {
        const juce::ScopedLock sl (streamLock);
        if (activeStream != nullptr)
            activeStream->cancel();
    }
    stopThread (options.timeoutMs + 2000);
}

void VersionListFetcher::start (const juce::URL& newUrl, Options newOptions, std::function<void (juce::String)> onResult)
{
    url.emplace (newUrl);
    options = newOptions;
    callback = std::move (onResult);
    startThread();
}

void VersionListFetcher::run()
{
    juce::String text;
    {
        juce::WebInputStream stream (*url, false);
        stream.withConnectionTimeout (options.timeoutMs);
        {
            const juce::ScopedLock sl (streamLock);
            if (threadShouldExit())
                return;
            activeStream = &stream;
        }

        if (stream.connect (nullptr) && ! threadShouldExit() && stream.getStatusCode() < 400)
        {
            juce::MemoryBlock body;
            char chunk[4096];
            while (! threadShouldExit() && ! stream.isExhausted() && static_cast<int> (body.getSize()) < options.maxBytes)
            {
                const int wanted = juce::jmin (static_cast<int> (sizeof (chunk)), options.maxBytes - static_cast<int> (body.getSize()));
                const int got = stream.read (chunk, wanted);
                if (got <= 0)
                    break;
                body.append (chunk, static_cast<size_t> (got));
            }
            text = body.toString();
        }

        const juce::ScopedLock sl (streamLock);
        activeStream = nullptr;
    }

    if (threadShouldExit())
        return;

    juce::MessageManager::callAsync ([flag = alive, result = std::move (text), cb = callback] {
        if (flag->load())
            cb (result);
    });
}
} // namespace Tessaro9V
