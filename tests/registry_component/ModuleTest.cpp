#include "ComponentFixture.h"

#include "platform/component/AggregatingOuter.h"

#include "component/Creation.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <set>
#include <vector>

using namespace brimlock;
using namespace component;

namespace {

constexpr const char* RegistryClassId = "{779055EF-D8BE-11D2-B532-00104B9A3597}";
constexpr const char* IniFileClassId = "{779055F1-D8BE-11D2-B532-00104B9A3597}";

std::string classesText(const std::string& key, const std::string& name = "")
{
    auto registry = newRegistry();
    registry->put_Root(0x80000000u);
    std::string value;
    registry->GetString(key, name, "<missing>", &value);
    return value;
}

bool classesKeyExists(const std::string& key)
{
    auto registry = newRegistry();
    registry->put_Root(0x80000000u);
    bool exists = false;
    registry->KeyExists(key, &exists);
    return exists;
}

std::string libraryPath()
{
    char resolved[4096];
    return realpath(BRIMLOCK_LIBRARY, resolved) ? resolved : BRIMLOCK_LIBRARY;
}

} // namespace

TEST(Module, ExportsOnlyTheServerEntryPoints)
{
    FILE* listing = popen(("nm -D --defined-only '" + libraryPath() + "' 2>/dev/null").c_str(), "r");
    ASSERT_NE(listing, nullptr);
    std::set<std::string> exported;
    char line[1024];
    while (fgets(line, sizeof line, listing)) {
        std::string entry(line);
        while (!entry.empty() && (entry.back() == '\n' || entry.back() == '\r'))
            entry.pop_back();
        exported.insert(entry.substr(entry.rfind(' ') + 1));
    }
    pclose(listing);
    EXPECT_EQ(exported, (std::set<std::string>{"BrimlockRegistryVersion", "DllCanUnloadNow", "DllGetClassObject",
                                               "DllRegisterServer", "DllUnregisterServer"}));
    void* library = dlopen(libraryPath().c_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(library, nullptr);
    EXPECT_NE(dlsym(library, "DllGetClassObject"), nullptr);
    EXPECT_EQ(dlsym(library, "_ZN8brimlock11threadStoreEv"), nullptr);
    dlclose(library);
    EXPECT_STREQ(BrimlockRegistryVersion(), "1, 0, 0, 1");
}

TEST(Module, ClassObjects)
{
    Counted<IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(&CLSID_Registry, &IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(DllGetClassObject(&IID_IRegistry, &IID_IClassFactory, factory.out()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(DllGetClassObject(&CLSID_INIFile, &IID_IINIFile, factory.out()), E_NOINTERFACE);
    for (const ClassId* id : {&CLSID_Registry, &CLSID_INIFile}) {
        ASSERT_EQ(DllGetClassObject(id, &IID_IClassFactory, factory.out()), S_OK);
        Counted<IClassFactory> again;
        ASSERT_EQ(DllGetClassObject(id, &IID_IUnknown, again.out()), S_OK);
        EXPECT_EQ(factory.get(), again.get()) << "one class object per class";
    }
    Counted<IDispatch> wrong;
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_IRegistry, wrong.out()), E_NOINTERFACE);
}

TEST(Module, CanUnloadOnlyWithNoObjectAndNoLock)
{
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
    {
        auto file = newIniFile();
        auto registry = newRegistry();
        ASSERT_TRUE(file && registry);
        EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
        file.reset();
        EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    }
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
    Counted<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(&CLSID_INIFile, &IID_IClassFactory, factory.out()), S_OK);
    EXPECT_EQ(DllCanUnloadNow(), S_OK) << "a class object alone does not count";
    factory->LockServer(true);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    factory->LockServer(false);
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(Module, RegistrationWritesEveryRegistrarKey)
{
    ASSERT_EQ(DllRegisterServer(), S_OK);
    const std::string module = libraryPath();
    struct Entry {
        std::string key, name, value;
    };
    std::vector<Entry> expected;
    for (const auto& [name, classId] : {std::pair<std::string, std::string>{"Registry", RegistryClassId},
                                        {"INIFile", IniFileClassId}}) {
        const std::string progId = "BrimlockRegistry." + name;
        const std::string description = name + " Class";
        const std::string classKey = "CLSID\\" + classId;
        expected.insert(expected.end(), {
            {progId + ".1", "", description},
            {progId + ".1\\CLSID", "", classId},
            {progId, "", description},
            {progId + "\\CLSID", "", classId},
            {progId + "\\CurVer", "", progId + ".1"},
            {classKey, "", description},
            {classKey + "\\ProgID", "", progId + ".1"},
            {classKey + "\\VersionIndependentProgID", "", progId},
            {classKey + "\\InprocServer32", "", module},
            {classKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
            {classKey + "\\TypeLib", "", "{779055E1-D8BE-11D2-B532-00104B9A3597}"},
        });
        EXPECT_TRUE(classesKeyExists(classKey + "\\Programmable"));
    }
    for (const Entry& entry : expected)
        EXPECT_EQ(classesText(entry.key, entry.name), entry.value) << entry.key << " " << entry.name;
}

TEST(Module, RegistrationReplacesTheClassKeyWhole)
{
    auto registry = newRegistry();
    registry->put_Root(0x80000000u);
    ASSERT_EQ(registry->SetString(std::string("CLSID\\") + RegistryClassId + "\\Stale", "", "x"), S_OK);
    ASSERT_EQ(registry->SetString("BrimlockRegistry.Registry", "Kept", "y"), S_OK);
    ASSERT_EQ(DllRegisterServer(), S_OK);
    bool exists = true;
    registry->KeyExists(std::string("CLSID\\") + RegistryClassId + "\\Stale", &exists);
    EXPECT_FALSE(exists);
    EXPECT_EQ(classesText("BrimlockRegistry.Registry", "Kept"), "y");
}

TEST(Module, UnregistrationRemovesAllButClsid)
{
    ASSERT_EQ(DllRegisterServer(), S_OK);
    auto registry = newRegistry();
    registry->put_Root(0x80000000u);
    registry->SetString("CLSID\\{00000000-0000-0000-0000-000000000001}", "", "another class");
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    for (const std::string& key : std::vector<std::string>{"BrimlockRegistry.Registry", "BrimlockRegistry.Registry.1",
             "BrimlockRegistry.INIFile", "BrimlockRegistry.INIFile.1", std::string("CLSID\\") + RegistryClassId,
                                  std::string("CLSID\\") + IniFileClassId})
        EXPECT_FALSE(classesKeyExists(key)) << key;
    EXPECT_TRUE(classesKeyExists("CLSID"));
    EXPECT_EQ(classesText("CLSID\\{00000000-0000-0000-0000-000000000001}"), "another class");
    EXPECT_EQ(DllUnregisterServer(), S_OK) << "nothing left to remove is no failure";
}

TEST(Module, RegistrationThatCannotWriteChangesNothing)
{
    // A store that this user may only read: every write fails with 5.
    ASSERT_EQ(newRegistry()->CreateKey("Software"), S_OK);
    chmod(testStoreFile().parent_path().c_str(), 0755);
    chmod(testStoreFile().c_str(), 0644);
    const pid_t child = fork();
    if (child == 0) {
        const bool unprivileged = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
        _exit(unprivileged && static_cast<std::uint32_t>(DllRegisterServer()) == 0x80070005u ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(classesKeyExists("BrimlockRegistry.Registry"));
    EXPECT_FALSE(classesKeyExists(std::string("CLSID\\") + RegistryClassId));
}

TEST(Module, RegisteredClassesAreCreatedByProgId)
{
    Counted<IINIFile> file;
    EXPECT_EQ(createInstance("BrimlockRegistry.INIFile", nullptr, IID_IINIFile, file.out()), CO_E_CLASSSTRING);
    ASSERT_EQ(DllRegisterServer(), S_OK);
    for (const char* progId : {"BrimlockRegistry.INIFile", "BrimlockRegistry.INIFile.1"}) {
        ASSERT_EQ(createInstance(progId, nullptr, IID_IINIFile, file.out()), S_OK) << progId;
        bool isNew = false;
        file->get_IsNew(&isNew);
        EXPECT_TRUE(isNew);
    }
    Counted<IRegistry> registry;
    ASSERT_EQ(createInstance("BrimlockRegistry.Registry", nullptr, IID_IRegistry, registry.out()), S_OK);
    ClassId classId;
    ASSERT_EQ(classIdFromProgId("BrimlockRegistry.Registry.1", classId), S_OK);
    EXPECT_EQ(classId, CLSID_Registry);

    // A library that loads but is no server.
    registry->put_Root(0x80000000u);
    const ClassId stranger = guid("{11111111-2222-3333-4444-555555555555}");
    registry->SetString("CLSID\\" + stranger.text() + "\\InprocServer32", "", "/no/such/library.so");
    Counted<IUnknown> nothing;
    EXPECT_EQ(createInstance(stranger, nullptr, IID_IUnknown, nothing.out()), CO_E_DLLNOTFOUND);
    EXPECT_EQ(createInstance(guid("{11111111-2222-3333-4444-555555555556}"), nullptr, IID_IUnknown, nothing.out()),
              REGDB_E_CLASSNOTREG);

    file.reset();
    registry.reset();
    freeUnusedLibraries();
}

TEST(Module, ErrorInformationOnlyForTheClassInterface)
{
    auto file = newIniFile();
    Counted<ISupportErrorInfo> support;
    ASSERT_EQ(file->QueryInterface(IID_ISupportErrorInfo, support.out()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IINIFile), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IRegistry), S_FALSE);
    auto registry = newRegistry();
    ASSERT_EQ(registry->QueryInterface(IID_ISupportErrorInfo, support.out()), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IRegistry), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    Counted<IDispatch> dispatch;
    EXPECT_EQ(registry->QueryInterface(IID_IDispatch, dispatch.out()), S_OK);
    std::uint32_t count = 1;
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
}

TEST(Module, AggregatedObjectsDelegateToTheOuterUnknown)
{
    AggregatingOuter outer;
    Counted<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(&CLSID_INIFile, &IID_IClassFactory, factory.out()), S_OK);
    Counted<IUnknown> refused;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IINIFile, refused.out()), CLASS_E_NOAGGREGATION);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, outer.inner.out()), S_OK);

    IINIFile* file = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IINIFile, reinterpret_cast<void**>(&file)), S_OK);
    EXPECT_EQ(outer.count, 2u);
    IUnknown* identity = nullptr;
    ASSERT_EQ(file->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, &outer);
    identity->Release();
    EXPECT_EQ(file->SetLong("s", "k", 3), S_OK);
    file->Release();
    EXPECT_EQ(outer.count, 1u);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    outer.inner.reset();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

TEST(Module, ComponentStrings)
{
    auto file = newIniFile();
    // Each failure leaves the string of its message, the versioned ProgID and the interface.
    clearErrorInfo();
    EXPECT_EQ(static_cast<std::uint32_t>(file->Open("/no/such/folder/x.ini")), 0x80040F6Au);
    auto info = takeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(*info, (ErrorInfo{"INI file not found.", "BrimlockRegistry.INIFile.1", IID_IINIFile, "", 0}));

    auto registry = newRegistry();
    EXPECT_EQ(static_cast<std::uint32_t>(registry->put_Root(0x80000004u)), 0x80040F6Cu);
    info = takeErrorInfo();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(*info, (ErrorInfo{"Invalid Root value.", "BrimlockRegistry.Registry.1", IID_IRegistry, "", 0}));
    EXPECT_EQ(errorResult(message::AccessDenied), static_cast<HResult>(0x80040F66u));
}
