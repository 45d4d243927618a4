#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Watches the processing thread for allocation, release, mutex and sleep calls while a
// plug-in's processBlock runs. The probe replaces those entry points for the whole host
// process (RealtimeProbe.cpp); a thread-local flag limits counting to the calls made
// inside an AudioCall scope. Each violation keeps its call stack, which is classified
// afterwards by the module the frames fall in.
namespace t9validate::rt
{
enum class Kind
{
    allocation,
    release,
    lock,
    sleep
};

const char* kindName (Kind) noexcept;

// False in sanitizer builds: the sanitizers own the allocator there.
bool probeAvailable() noexcept;

class AudioCall
{
public:
    AudioCall() noexcept;
    ~AudioCall();
    AudioCall (const AudioCall&) = delete;
    AudioCall& operator= (const AudioCall&) = delete;
};

enum class Origin
{
    processor,       // a frame of the plug-in's own code is on the stack
    pluginFramework, // only the framework code inside the plug-in module (its format wrapper)
    host             // no plug-in frame: the hosting wrapper of this validator
};

struct Finding
{
    Kind kind;
    Origin origin;
    std::string call; // the probed function
    std::string stack;
};

struct Summary
{
    std::array<uint64_t, 3> countByOrigin{}; // indexed by Origin
    uint64_t unrecorded = 0;                 // violations beyond the recording capacity
    std::vector<Finding> examples;           // one per distinct (origin, kind, innermost frame)
};

// The plug-in binary whose frames count as plug-in code (its symbol table is read to
// tell the processor's frames from the framework's).
void setPluginModule (const std::string& path);

// Classifies and clears everything recorded since the last call.
Summary takeSummary();
} // namespace t9validate::rt
