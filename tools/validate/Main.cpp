// t9v210_validate: loads a built 9V-210 bundle (VST3 or LV2) the way demanding hosts do and
// stresses it. Usage:
//   t9v210_validate [--seed N] [--states DIR] [--only TEXT] [--strict-realtime] BUNDLE
//   t9v210_validate --write-states DIR BUNDLE   (records the saved-state table)
#include "RealtimeProbe.h"
#include "Validator.h"

#include <chrono>
#include <iostream>

using namespace t9validate;

namespace
{
struct Options
{
    uint32_t seed = 210;
    juce::File bundle, states, writeStates;
    juce::String only;
    bool strict = false;
};

bool parse (int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i)
    {
        const juce::String a (argv[i]);
        const bool hasValue = i + 1 < argc;
        if (a == "--seed" && hasValue)
            o.seed = static_cast<uint32_t> (juce::String (argv[++i]).getLargeIntValue());
        else if (a == "--states" && hasValue)
            o.states = juce::File::getCurrentWorkingDirectory().getChildFile (argv[++i]);
        else if (a == "--write-states" && hasValue)
            o.writeStates = juce::File::getCurrentWorkingDirectory().getChildFile (argv[++i]);
        else if (a == "--only" && hasValue)
            o.only = argv[++i];
        else if (a == "--strict-realtime")
            o.strict = true;
        else if (!a.startsWith ("--") && o.bundle == juce::File())
            o.bundle = juce::File::getCurrentWorkingDirectory().getChildFile (a);
        else
            return false;
    }
    return o.bundle.exists();
}

int run (const Options& o)
{
    PluginHost host (o.bundle);
    if (!host.isLoaded())
    {
        std::cout << "t9v210_validate: " << host.loadError() << "\n";
        return 1;
    }
    Context ctx{ host, o.seed, std::mt19937 (o.seed), o.states, o.strict };

    // The first instance loads the binary: it must be the one in this bundle, not a copy
    // installed elsewhere under the same identity.
    {
        auto first = ctx.create();
        const auto loaded = host.loadedModulePath();
        if (first == nullptr || juce::File (loaded) != juce::File (host.expectedModulePath()))
        {
            std::cout << "t9v210_validate: loaded \"" << loaded << "\" instead of " << host.expectedModulePath()
                      << "\n";
            return 1;
        }
        rt::setPluginModule (loaded.toStdString());
    }

    if (o.writeStates != juce::File())
    {
        const bool ok = writeStateTable (ctx, o.writeStates);
        std::cout << (ok ? "wrote " : "could not write ") << o.writeStates.getFullPathName() << "\n";
        return ok ? 0 : 1;
    }

    std::vector<Check> checks;
    for (auto group : { lifecycleChecks(), parameterChecks(), processingChecks(), stateChecks(), realtimeChecks() })
        for (auto& c : group)
            if (o.only.isEmpty() || juce::String (c.name).containsIgnoreCase (o.only) ||
                juce::String (c.name).startsWith ("real-time"))
                checks.push_back (c);

    std::cout << "t9v210_validate " << host.formatName() << " " << o.bundle.getFullPathName() << " (seed " << o.seed
              << ")\n";
    rt::takeSummary(); // the first instance's calls above are not judged
    int failedChecks = 0;
    for (auto& c : checks)
    {
        const int before = ctx.failures;
        const auto start = std::chrono::steady_clock::now();
        c.run (ctx);
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds> (std::chrono::steady_clock::now() - start);
        const bool ok = ctx.failures == before;
        failedChecks += ok ? 0 : 1;
        std::cout << (ok ? "[  OK  ] " : "[FAILED] ") << c.name << " (" << ms.count() << " ms)\n" << std::flush;
    }

    if (failedChecks > 0)
        std::cout << failedChecks << " of " << checks.size() << " checks failed with seed " << o.seed
                  << "; replay with: t9v210_validate --seed " << o.seed << " " << o.bundle.getFullPathName() << "\n";
    else
        std::cout << "all " << checks.size() << " checks passed (seed " << o.seed << ")\n";
    return failedChecks > 0 ? 1 : 0;
}
} // namespace

int main (int argc, char** argv)
{
    Options o;
    if (!parse (argc, argv, o))
    {
        std::cout << "usage: t9v210_validate [--seed N] [--states DIR] [--only TEXT] [--strict-realtime] BUNDLE\n"
                     "       t9v210_validate --write-states DIR BUNDLE\n";
        return 2;
    }
    juce::ScopedJuceInitialiser_GUI juce; // the message thread is this one
    return run (o);
}
