#include "ConsoleProgress.h"

#include <algorithm>
#include <unistd.h>

namespace t9render
{
ConsoleProgress::ConsoleProgress (bool wanted) : active (wanted && stderrIsTerminal()) {}

ConsoleProgress::~ConsoleProgress() { finish(); }

bool ConsoleProgress::stderrIsTerminal() { return isatty (STDERR_FILENO) != 0; }

void ConsoleProgress::update (double fraction)
{
    if (!active)
        return;
    const int percent = static_cast<int> (std::clamp (fraction, 0.0, 1.0) * 100.0);
    if (percent == lastPercent)
        return;
    lastPercent = percent;

    constexpr int width = 40;
    char bar[width + 1];
    const int filled = percent * width / 100;
    for (int i = 0; i < width; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[width] = '\0';
    std::fprintf (stderr, "\r[%s] %3d%%", bar, percent);
    std::fflush (stderr);
}

void ConsoleProgress::finish()
{
    if (!active)
        return;
    std::fprintf (stderr, "\r%*s\r", 48, "");
    std::fflush (stderr);
    active = false;
}
} // namespace t9render
