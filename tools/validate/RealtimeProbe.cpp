#include "RealtimeProbe.h"

#include "ElfSymbols.h"

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>
#include <map>
#include <memory>
#include <new>
#include <pthread.h>
#include <sched.h>
#include <time.h>
#include <tuple>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define T9V_PROBE 0
#else
#define T9V_PROBE 1
#endif

namespace t9validate::rt
{
namespace
{
constexpr int maxFrames = 32;
constexpr size_t capacity = 4096;

struct Record
{
    Kind kind;
    Origin origin;
    const char* call;
    int depth;
    void* frames[maxFrames];
};

// Fixed storage: recording must not allocate, it runs inside the allocator.
Record records[capacity];
std::atomic<size_t> numRecords{ 0 };
std::atomic<uint64_t> numUnrecorded{ 0 };

thread_local int audioDepth = 0;
[[maybe_unused]] thread_local bool recording = false;

std::string pluginModulePath;
char pluginModuleName[4096] = {}; // the same, readable inside the allocator

// Every call is counted by origin; the wrappers' calls are kept only as a few examples,
// so that a wrapper that allocates on every call cannot crowd out the plug-in's own.
constexpr uint64_t wrapperExamplesKept = 64;
std::atomic<uint64_t> callsByOrigin[3]{};
std::unique_ptr<ElfSymbols> pluginSymbols;
std::unique_ptr<ElfSymbols> hostSymbols; // this executable's, for naming its frames
} // namespace

#if T9V_PROBE
namespace
{

// Classified at once, without allocating: any frame of the processor's own namespace
// makes it the processor's; other frames in the plug-in module are the framework's.
Origin classify (void* const* frames, int depth) noexcept
{
    if (pluginModuleName[0] == 0)
        return Origin::processor;
    Origin origin = Origin::host;
    for (int d = 0; d < depth; ++d)
    {
        Dl_info info{};
        if (dladdr (frames[d], &info) == 0 || info.dli_fname == nullptr ||
            std::strcmp (info.dli_fname, pluginModuleName) != 0)
            continue;
        origin = Origin::pluginFramework;
        const auto offset =
            static_cast<uintptr_t> (static_cast<char*> (frames[d]) - static_cast<char*> (info.dli_fbase));
        const char* name = pluginSymbols != nullptr ? pluginSymbols->find (offset > 0 ? offset - 1 : 0) : nullptr;
        if (name == nullptr || std::strstr (name, "9Tessaro9V") != nullptr)
            return Origin::processor; // unnamed plug-in code counts as ours: no excuse
    }
    return origin;
}

void note (Kind kind, const char* call) noexcept
{
    if (audioDepth == 0 || recording)
        return;
    recording = true;
    void* frames[maxFrames];
    const int depth = backtrace (frames, maxFrames);
    const Origin origin = classify (frames, depth);
    const auto seenBefore = callsByOrigin[static_cast<size_t> (origin)].fetch_add (1);
    if (origin == Origin::processor || seenBefore < wrapperExamplesKept)
    {
        const size_t slot = numRecords.fetch_add (1, std::memory_order_relaxed);
        if (slot < capacity)
        {
            auto& r = records[slot];
            r.kind = kind;
            r.origin = origin;
            r.call = call;
            r.depth = depth;
            std::memcpy (r.frames, frames, sizeof (frames));
        }
        else
        {
            numRecords.store (capacity, std::memory_order_relaxed);
            numUnrecorded.fetch_add (1, std::memory_order_relaxed);
        }
    }
    recording = false;
}

template <typename Fn>
Fn resolveNext (const char* name) noexcept
{
    return reinterpret_cast<Fn> (dlsym (RTLD_NEXT, name));
}

using MutexFn = int (*) (pthread_mutex_t*);
using NanosleepFn = int (*) (const timespec*, timespec*);
using ClockNanosleepFn = int (*) (clockid_t, int, const timespec*, timespec*);
using UsleepFn = int (*) (useconds_t);
using SleepFn = unsigned (*) (unsigned);
using YieldFn = int (*)();

struct NextFunctions
{
    MutexFn lock = nullptr, trylock = nullptr;
    NanosleepFn nanosleep = nullptr;
    ClockNanosleepFn clockNanosleep = nullptr;
    UsleepFn usleep = nullptr;
    SleepFn sleep = nullptr;
    YieldFn yield = nullptr;
};

NextFunctions& next() noexcept
{
    static NextFunctions fns = []
    {
        NextFunctions f;
        f.lock = resolveNext<MutexFn> ("pthread_mutex_lock");
        f.trylock = resolveNext<MutexFn> ("pthread_mutex_trylock");
        f.nanosleep = resolveNext<NanosleepFn> ("nanosleep");
        f.clockNanosleep = resolveNext<ClockNanosleepFn> ("clock_nanosleep");
        f.usleep = resolveNext<UsleepFn> ("usleep");
        f.sleep = resolveNext<SleepFn> ("sleep");
        f.yield = resolveNext<YieldFn> ("sched_yield");
        return f;
    }();
    return fns;
}

// Resolve before any thread starts, and load the unwinder so that the first backtrace
// inside the allocator does not have to.
[[maybe_unused]] const bool warmedUp = []
{
    next();
    void* frames[2];
    backtrace (frames, 2);
    return true;
}();
} // namespace
#endif

const char* kindName (Kind k) noexcept
{
    switch (k)
    {
        case Kind::allocation:
            return "allocation";
        case Kind::release:
            return "release";
        case Kind::lock:
            return "lock";
        case Kind::sleep:
            return "sleep";
    }
    return "?";
}

bool probeAvailable() noexcept { return T9V_PROBE != 0; }

AudioCall::AudioCall() noexcept { ++audioDepth; }
AudioCall::~AudioCall() { --audioDepth; }

void setPluginModule (const std::string& path)
{
    pluginModulePath = path;
    std::snprintf (pluginModuleName, sizeof (pluginModuleName), "%s", path.c_str());
    pluginSymbols = std::make_unique<ElfSymbols> (path);
    hostSymbols = std::make_unique<ElfSymbols> ("/proc/self/exe");
}

namespace
{
std::string demangle (const char* name)
{
    if (name == nullptr)
        return {};
    int status = 0;
    std::unique_ptr<char, decltype (&std::free)> text (abi::__cxa_demangle (name, nullptr, nullptr, &status),
                                                       &std::free);
    return status == 0 && text != nullptr ? std::string (text.get()) : std::string (name);
}

struct Frame
{
    bool inPlugin = false;
    std::string name;
};

Frame describe (void* address)
{
    Frame f;
    Dl_info info{};
    if (dladdr (address, &info) == 0 || info.dli_fname == nullptr)
        return { false, "?" };

    const auto offset = static_cast<uintptr_t> (static_cast<char*> (address) - static_cast<char*> (info.dli_fbase));
    f.inPlugin = !pluginModulePath.empty() && pluginModulePath == info.dli_fname;
    if (f.inPlugin && pluginSymbols != nullptr)
        f.name = demangle (
            pluginSymbols->nameAt (offset > 0 ? offset - 1 : 0).c_str()); // return address: look just before it
    Dl_info self{};
    if (f.name.empty() && hostSymbols != nullptr && dladdr (reinterpret_cast<void*> (&describe), &self) != 0 &&
        self.dli_fbase == info.dli_fbase)
        f.name = demangle (hostSymbols->nameAt (offset > 0 ? offset - 1 : 0).c_str());
    if (f.name.empty())
        f.name = demangle (info.dli_sname);
    if (f.name.empty())
    {
        std::string file = info.dli_fname;
        f.name = file.substr (file.find_last_of ('/') + 1) + "+0x";
        char hex[20];
        std::snprintf (hex, sizeof (hex), "%zx", static_cast<size_t> (offset));
        f.name += hex;
    }
    return f;
}

} // namespace

Summary takeSummary()
{
    Summary s;
    const size_t n = std::min (numRecords.load(), capacity);
    std::map<std::tuple<int, int, std::string>, bool> seen;

    for (size_t i = 0; i < n; ++i)
    {
        const auto& r = records[i];
        std::vector<Frame> frames;
        // Frame 0 is note(), frame 1 the probed function itself.
        for (int d = 2; d < r.depth; ++d)
            frames.push_back (describe (r.frames[d]));

        const Origin origin = r.origin;
        const std::string innermost = frames.empty() ? std::string ("?") : frames.front().name;
        if (!seen.emplace (std::make_tuple (static_cast<int> (origin), static_cast<int> (r.kind), innermost), true)
                 .second)
            continue;

        Finding f{ r.kind, origin, r.call, {} };
        for (size_t d = 0; d < frames.size() && d < 12; ++d)
            f.stack += "      " + std::string (frames[d].inPlugin ? "[plug-in] " : "") + frames[d].name + "\n";
        s.examples.push_back (std::move (f));
    }

    for (size_t o = 0; o < 3; ++o)
        s.countByOrigin[o] = callsByOrigin[o].exchange (0);
    s.unrecorded = numUnrecorded.exchange (0);
    numRecords.store (0);
    return s;
}
} // namespace t9validate::rt

//==============================================================================
// The replaced entry points. They forward to glibc's own implementations.
#if T9V_PROBE
extern "C"
{
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void __libc_free (void*);
    void* __libc_memalign (size_t, size_t);

    void* malloc (size_t size)
    {
        t9validate::rt::note (t9validate::rt::Kind::allocation, "malloc");
        return __libc_malloc (size);
    }

    void* calloc (size_t count, size_t size)
    {
        t9validate::rt::note (t9validate::rt::Kind::allocation, "calloc");
        return __libc_calloc (count, size);
    }

    void* realloc (void* p, size_t size)
    {
        t9validate::rt::note (t9validate::rt::Kind::allocation, "realloc");
        return __libc_realloc (p, size);
    }

    void free (void* p)
    {
        if (p != nullptr)
            t9validate::rt::note (t9validate::rt::Kind::release, "free");
        __libc_free (p);
    }

    int pthread_mutex_lock (pthread_mutex_t* m)
    {
        t9validate::rt::note (t9validate::rt::Kind::lock, "pthread_mutex_lock");
        return t9validate::rt::next().lock (m);
    }

    int pthread_mutex_trylock (pthread_mutex_t* m)
    {
        t9validate::rt::note (t9validate::rt::Kind::lock, "pthread_mutex_trylock");
        return t9validate::rt::next().trylock (m);
    }

    int nanosleep (const timespec* t, timespec* rem)
    {
        t9validate::rt::note (t9validate::rt::Kind::sleep, "nanosleep");
        return t9validate::rt::next().nanosleep (t, rem);
    }

    int clock_nanosleep (clockid_t clock, int flags, const timespec* t, timespec* rem)
    {
        t9validate::rt::note (t9validate::rt::Kind::sleep, "clock_nanosleep");
        return t9validate::rt::next().clockNanosleep (clock, flags, t, rem);
    }

    int usleep (useconds_t us)
    {
        t9validate::rt::note (t9validate::rt::Kind::sleep, "usleep");
        return t9validate::rt::next().usleep (us);
    }

    unsigned sleep (unsigned s)
    {
        t9validate::rt::note (t9validate::rt::Kind::sleep, "sleep");
        return t9validate::rt::next().sleep (s);
    }

    int sched_yield()
    {
        t9validate::rt::note (t9validate::rt::Kind::sleep, "sched_yield");
        return t9validate::rt::next().yield();
    }
}

namespace
{
void* allocate (size_t size, const char* call)
{
    t9validate::rt::note (t9validate::rt::Kind::allocation, call);
    return __libc_malloc (size == 0 ? 1 : size);
}

void* allocateAligned (size_t size, std::align_val_t align, const char* call)
{
    t9validate::rt::note (t9validate::rt::Kind::allocation, call);
    return __libc_memalign (static_cast<size_t> (align), size == 0 ? 1 : size);
}

void release (void* p, const char* call) noexcept
{
    if (p != nullptr)
        t9validate::rt::note (t9validate::rt::Kind::release, call);
    __libc_free (p);
}

void* orThrow (void* p)
{
    if (p == nullptr)
        throw std::bad_alloc();
    return p;
}
} // namespace

void* operator new (size_t n) { return orThrow (allocate (n, "operator new")); }
void* operator new[] (size_t n) { return orThrow (allocate (n, "operator new[]")); }
void* operator new (size_t n, const std::nothrow_t&) noexcept { return allocate (n, "operator new"); }
void* operator new[] (size_t n, const std::nothrow_t&) noexcept { return allocate (n, "operator new[]"); }
void* operator new (size_t n, std::align_val_t a) { return orThrow (allocateAligned (n, a, "operator new")); }
void* operator new[] (size_t n, std::align_val_t a) { return orThrow (allocateAligned (n, a, "operator new[]")); }
void* operator new (size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return allocateAligned (n, a, "operator new");
}
void* operator new[] (size_t n, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return allocateAligned (n, a, "operator new[]");
}
void operator delete (void* p) noexcept { release (p, "operator delete"); }
void operator delete[] (void* p) noexcept { release (p, "operator delete[]"); }
void operator delete (void* p, size_t) noexcept { release (p, "operator delete"); }
void operator delete[] (void* p, size_t) noexcept { release (p, "operator delete[]"); }
void operator delete (void* p, const std::nothrow_t&) noexcept { release (p, "operator delete"); }
void operator delete[] (void* p, const std::nothrow_t&) noexcept { release (p, "operator delete[]"); }
void operator delete (void* p, std::align_val_t) noexcept { release (p, "operator delete"); }
void operator delete[] (void* p, std::align_val_t) noexcept { release (p, "operator delete[]"); }
void operator delete (void* p, size_t, std::align_val_t) noexcept { release (p, "operator delete"); }
void operator delete[] (void* p, size_t, std::align_val_t) noexcept { release (p, "operator delete[]"); }
#endif
