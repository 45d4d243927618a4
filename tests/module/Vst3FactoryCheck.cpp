// Loads the built VST3 module the way a host scans it and reads its factory through the
// VST3 interfaces: vendor, classes, names, categories, versions and class identifiers.
#include "plugin/ClassIdentifiers.h"

#include <pluginterfaces/base/ipluginbase.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstring>
#include <string>

using namespace Steinberg;
namespace classIds = Tessaro9V::classIds;

namespace
{
std::string hex (const TUID id)
{
    classIds::ClassId bytes{};
    std::memcpy (bytes.data(), id, 16);
    return classIds::toHex (bytes);
}

// Opens the module, enters it and fetches its factory; undoes all of it on destruction.
class LoadedModule
{
public:
    explicit LoadedModule (const char* path) : handle (dlopen (path, RTLD_NOW | RTLD_LOCAL))
    {
        if (handle == nullptr)
            return;
        using Entry = bool (*) (void*);
        using GetFactory = IPluginFactory*(PLUGIN_API*)();
        auto entry = reinterpret_cast<Entry> (dlsym (handle, "ModuleEntry"));
        auto getFactory = reinterpret_cast<GetFactory> (dlsym (handle, "GetPluginFactory"));
        entered = entry != nullptr && entry (handle);
        if (entered && getFactory != nullptr)
            factory = getFactory();
    }

    ~LoadedModule()
    {
        if (factory != nullptr)
            factory->release();
        if (entered)
            if (auto exit = reinterpret_cast<bool (*)()> (dlsym (handle, "ModuleExit")))
                exit();
        if (handle != nullptr)
            dlclose (handle);
    }

    void* handle = nullptr;
    bool entered = false;
    IPluginFactory* factory = nullptr;
};
} // namespace

TEST (Vst3Module, FactoryAndClassesDescribeThePlugIn)
{
    LoadedModule module (T9V_VST3_MODULE_PATH);
    ASSERT_NE (module.handle, nullptr) << dlerror();
    ASSERT_TRUE (module.entered);
    ASSERT_NE (module.factory, nullptr);
    for (const char* symbol : { "GetPluginFactory", "ModuleEntry", "ModuleExit" })
        EXPECT_NE (dlsym (module.handle, symbol), nullptr) << symbol;

    PFactoryInfo info;
    ASSERT_EQ (module.factory->getFactoryInfo (&info), kResultOk);
    EXPECT_STREQ (info.vendor, "Tessaro");
    EXPECT_STREQ (info.url, "https://www.tessaro-audio.com");
    EXPECT_STREQ (info.email, "support@tessaro-audio.com");
    EXPECT_EQ (info.flags, 16); // Unicode

    ASSERT_EQ (module.factory->countClasses(), 2);
    IPluginFactory2* factory2 = nullptr;
    ASSERT_EQ (module.factory->queryInterface (IPluginFactory2_iid, reinterpret_cast<void**> (&factory2)), kResultOk);
    ASSERT_NE (factory2, nullptr);

    struct Expected
    {
        const char* category;
        const char* classId;
        const classIds::ClassId& derived;
    };
    const Expected expected[] = {
        { "Audio Module Class", "5653545451783439762D323130000000", classIds::component },
        { "Component Controller Class", "5653455451783439762D323130000000", classIds::controller },
    };

    for (int i = 0; i < 2; ++i)
    {
        SCOPED_TRACE (i);
        const auto& e = expected[i];
        PClassInfo basic;
        ASSERT_EQ (module.factory->getClassInfo (i, &basic), kResultOk);
        EXPECT_EQ (hex (basic.cid), e.classId);
        EXPECT_EQ (hex (basic.cid), classIds::toHex (e.derived)); // what the VST2 build hands out
        EXPECT_STREQ (basic.category, e.category);
        EXPECT_STREQ (basic.name, "9V-210");
        EXPECT_EQ (basic.cardinality, PClassInfo::kManyInstances);

        PClassInfo2 info2;
        ASSERT_EQ (factory2->getClassInfo2 (i, &info2), kResultOk);
        EXPECT_EQ (hex (info2.cid), e.classId);
        EXPECT_STREQ (info2.name, "9V-210");
        EXPECT_EQ (info2.classFlags, 0u);
        EXPECT_STREQ (info2.subCategories, "Fx");
        EXPECT_STREQ (info2.vendor, "Tessaro");
        EXPECT_STREQ (info2.version, "1.0.2");
        // The SDK version is the one the framework's wrapper compiles in.
        EXPECT_EQ (std::strncmp (info2.sdkVersion, "VST 3.", 6), 0) << info2.sdkVersion;
    }
    factory2->release();
}
