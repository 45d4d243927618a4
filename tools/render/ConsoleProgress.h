#pragma once

#include <cstdio>

namespace t9render
{
// A one-line progress bar on stderr, drawn only when stderr is a terminal.
class ConsoleProgress
{
public:
    explicit ConsoleProgress (bool wanted);
    ~ConsoleProgress();

    void update (double fraction);
    void finish();
    bool isActive() const noexcept { return active; }

    static bool stderrIsTerminal();

private:
    bool active = false;
    int lastPercent = -1;
};
} // namespace t9render
