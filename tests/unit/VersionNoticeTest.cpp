// The version notice: the list handling, the background fetch against a local server, and
// the panel's notice.
#include "editor/T9VUI.h"
#include "editor/VersionCheck.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace Tessaro9V;

namespace
{
// A one-connection-at-a-time HTTP server on 127.0.0.1 with a canned answer.
class LocalServer
{
public:
    enum class Mode
    {
        answer,
        hang
    };

    LocalServer (Mode m, int status, juce::String body) : mode (m), statusCode (status), content (std::move (body))
    {
        if (! listener.createListener (0, "127.0.0.1"))
            return;
        port = listener.getBoundPort();
        worker = std::thread ([this] { serve(); });
    }

    ~LocalServer()
    {
        stopping = true;
        listener.close();
        if (worker.joinable())
            worker.join();
    }

    juce::URL url() const { return juce::URL ("http://127.0.0.1:" + juce::String (port) + "/versions.xml"); }
    int port = 0;

private:
    void serve()
    {
        for (int served = 0; served < 8 && ! stopping; ++served) // bounded
        {
            std::unique_ptr<juce::StreamingSocket> client (listener.waitForNextConnection());
            if (client == nullptr)
                return;
            char request[2048];
            client->waitUntilReady (true, 2000);
            client->read (request, sizeof (request) - 1, false);
            if (mode == Mode::hang)
            {
                for (int i = 0; i < 500 && ! stopping; ++i) // at most 10 s
                    std::this_thread::sleep_for (std::chrono::milliseconds (20));
                continue;
            }
            const auto body = content.toStdString();
            const auto reply = "HTTP/1.1 " + std::to_string (statusCode) + " X\r\nContent-Type: text/xml\r\nContent-Length: "
                               + std::to_string (body.size()) + "\r\nConnection: close\r\n\r\n" + body;
            client->write (reply.data(), static_cast<int> (reply.size()));
        }
    }

    Mode mode;
    int statusCode;
    juce::String content;
    juce::StreamingSocket listener;
    std::atomic<bool> stopping { false };
    std::thread worker;
};

// Fetches through the background fetcher and waits (bounded) for the message-thread result.
std::optional<juce::String> fetch (const juce::URL& url, int timeoutMs = 2000)
{
    std::optional<juce::String> result;
    VersionListFetcher fetcher;
    fetcher.start (url, { timeoutMs, 64 * 1024 }, [&result] (juce::String text) { result = text; });
    for (int i = 0; i < 400 && ! result.has_value(); ++i)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    return result;
}

} // namespace

TEST (VersionList, FindsTheFirstDirectChildIgnoringCase)
{
    struct Case
    {
        const char* xml;
        std::optional<const char*> listed;
    };
    const Case cases[] = {
        { "<versions><9V-210>1.0.2</9V-210></versions>", "1.0.2" },
        { "<v><Other>2</Other><9v-210>1.0.3</9v-210><9V-210>9</9V-210></v>", "1.0.3" },
        { "<v><group><9V-210>1.0.3</9V-210></group></v>", std::nullopt },
        { "<v><9V-210> 1.0.2 </9V-210></v>", " 1.0.2 " },
        { "<v><9V-210>1.<b>0</b>.4</9V-210></v>", "1.0.4" },
        { "<v><9V-210>1.0.3</v>", std::nullopt },
        { "", std::nullopt },
        { "not xml at all", std::nullopt },
    };
    for (const auto& c : cases)
    {
        const auto listed = findListedVersion (c.xml, "9V-210");
        ASSERT_EQ (listed.has_value(), c.listed.has_value()) << c.xml;
        if (listed)
        {
            EXPECT_EQ (*listed, *c.listed) << c.xml;
        }
    }
    EXPECT_FALSE (isDifferentVersion ("1.0.2", "1.0.2"));
    EXPECT_FALSE (isDifferentVersion ("1.0.2-RC", "1.0.2-rc"));
    EXPECT_TRUE (isDifferentVersion ("1.0.1", "1.0.2"));
    EXPECT_TRUE (isDifferentVersion (" 1.0.2", "1.0.2"));
}

TEST (VersionNotice, PanelShowsOrHidesByTheListedVersion)
{
    T9v210AudioProcessor processor;
    T9VUI panel (&processor);
    const std::pair<const char*, const char*> shown[] = {
        { "<v><9V-210>1.0.3</9V-210></v>", "version 1.0.3 available" },
        { "<v><9V-210>1.0.1</9V-210></v>", "version 1.0.1 available" },
    };
    for (auto [xml, text] : shown)
    {
        panel.versionNotice->setVisible (false);
        panel.applyVersionList (xml);
        EXPECT_TRUE (panel.versionNotice->isVisible()) << xml;
        EXPECT_EQ (panel.versionNotice->getButtonText(), text);
    }
    panel.applyVersionList ("<v><9V-210>1.0.2</9V-210></v>");
    EXPECT_FALSE (panel.versionNotice->isVisible());
    for (const char* failing : { "", "<<<", "<v><x><9V-210>1.0.3</9V-210></x></v>" })
    {
        panel.applyVersionList (failing);
        EXPECT_FALSE (panel.versionNotice->isVisible()) << failing;
    }
}

TEST (VersionNotice, FetchesFromALocalServer)
{
    {
        LocalServer server (LocalServer::Mode::answer, 200, "<v><9V-210>1.0.3</9V-210></v>");
        const auto text = fetch (server.url());
        ASSERT_TRUE (text.has_value());
        EXPECT_EQ (*text, "<v><9V-210>1.0.3</9V-210></v>");
    }
    {
        LocalServer server (LocalServer::Mode::answer, 404, "<v><9V-210>1.0.3</9V-210></v>");
        const auto text = fetch (server.url());
        ASSERT_TRUE (text.has_value());
        EXPECT_TRUE (text->isEmpty());
    }
    {
        LocalServer server (LocalServer::Mode::answer, 200, "");
        const auto text = fetch (server.url());
        ASSERT_TRUE (text.has_value());
        EXPECT_TRUE (text->isEmpty());
    }
    {
        int closedPort = 0;
        {
            LocalServer server (LocalServer::Mode::answer, 200, "x");
            closedPort = server.port;
        }
        const auto text = fetch (juce::URL ("http://127.0.0.1:" + juce::String (closedPort) + "/versions.xml"));
        ASSERT_TRUE (text.has_value());
        EXPECT_TRUE (text->isEmpty());
    }
    {
        // A larger body is cut at the size limit.
        LocalServer server (LocalServer::Mode::answer, 200, juce::String::repeatedString ("a", 100000));
        const auto text = fetch (server.url());
        ASSERT_TRUE (text.has_value());
        EXPECT_EQ (text->length(), 64 * 1024);
    }
}

TEST (VersionNotice, PanelChecksOnceAfterItsTimerAndShowsTheNotice)
{
    LocalServer server (LocalServer::Mode::answer, 200, "<list><9V-210>1.1.0</9V-210></list>");
    T9v210AudioProcessor processor;
    T9VUI panel (&processor);
    panel.setVersionListUrl (server.url());
    for (int i = 0; i < 250 && ! panel.versionNotice->isVisible(); ++i) // the timer fires after 1 s
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_TRUE (panel.versionNotice->isVisible());
    EXPECT_EQ (panel.versionNotice->getButtonText(), "version 1.1.0 available");
    EXPECT_FALSE (panel.isTimerRunning (T9VUI::versionTimer));
}

TEST (VersionNotice, HangingServerNeverBlocksAndTheEditorClosesCleanly)
{
    LocalServer server (LocalServer::Mode::hang, 200, "");
    T9v210AudioProcessor processor;
    auto panel = std::make_unique<T9VUI> (&processor);
    panel->setVersionListUrl (server.url());
    panel->timerCallback (T9VUI::versionTimer); // starts the request; returns at once
    // The message thread keeps running while the request hangs.
    int ticks = 0;
    for (int i = 0; i < 10; ++i, ++ticks)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20);
    EXPECT_EQ (ticks, 10);
    EXPECT_FALSE (panel->versionNotice->isVisible());
    panel.reset(); // cancels the request in flight
    juce::MessageManager::getInstance()->runDispatchLoopUntil (50);
}

TEST (VersionNotice, ResultAfterTheEditorClosedIsDropped)
{
    LocalServer server (LocalServer::Mode::answer, 200, "<v><9V-210>2.0</9V-210></v>");
    T9v210AudioProcessor processor;
    auto panel = std::make_unique<T9VUI> (&processor);
    panel->setVersionListUrl (server.url());
    panel->timerCallback (T9VUI::versionTimer);
    panel.reset();
    for (int i = 0; i < 20; ++i)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (20); // nothing may touch the dead panel
    SUCCEED();
}
