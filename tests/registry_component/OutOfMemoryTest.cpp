#include "ComponentFixture.h"
#include "FailingAllocation.h"
#include "IniRoundTrip.h"

#include "support/FileText.h"
#include "support/TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace brimlock;
using namespace component;

namespace {

struct Sweep {
    int failedRuns = 0;
    std::string faults;
};

// Runs a call once for every allocation it makes, on a fresh subject each
// time, memory running out at that allocation: each such run must answer
// E_OUTOFMEMORY and leave the subject's state as it was; the run in which
// no allocation fails must succeed. The arguments are made beforehand: a
// text of more than 15 bytes made in the call would fail in the test itself.
template <class Prepare, class Call, class State>
Sweep sweepAllocationFailures(Prepare prepare, Call call, State state)
{
    Sweep sweep;
    for (std::int64_t survivors = 0; survivors < 100000; ++survivors) {
        auto subject = prepare();
        const std::string before = state(subject);
        HResult result = S_OK;
        bool failed = false;
        {
            failing_allocation::Scope scope(survivors);
            result = call(subject);
            failed = scope.failed();
        }
        const std::string where = "allocation " + std::to_string(survivors) + ": ";
        if (!failed) {
            if (component::failed(result))
                sweep.faults += "with memory enough: " + std::to_string(result) + "; ";
            return sweep;
        }
        ++sweep.failedRuns;
        if (result != E_OUTOFMEMORY)
            sweep.faults += where + "gave " + std::to_string(result) + "; ";
        else if (state(subject) != before)
            sweep.faults += where + "the state changed from " + before + " to " + state(subject) + "; ";
    }
    sweep.faults += "never ran through";
    return sweep;
}

std::string iniState(IINIFile& file)
{
    std::string state;
    for (const auto& [section, keys] : snapshot(file)) {
        state += "[" + section + "]";
        for (const auto& [key, value] : keys)
            state += key + "=" + value + "|";
    }
    bool dirty = false, isNew = false;
    std::string name, marker;
    file.get_Dirty(&dirty);
    file.get_IsNew(&isNew);
    file.get_FileName(&name);
    file.get_LineBreakMarker(&marker);
    return state + (dirty ? " dirty" : "") + (isNew ? " new" : "") + " " + name + " " + marker;
}

using IniCall = std::function<HResult(IINIFile&)>;

} // namespace

TEST(OutOfMemory, EveryIniFileMemberAnswersItAndChangesNothing)
{
    TemporaryFolder folder;
    const auto held = folder.file("held.ini");
    const auto other = folder.file("other.ini");
    // Saved into a folder of its own, left empty: the writer's clean-up lists
    // the folder, and the standard library ends the process when memory runs
    // out as it lists an entry.
    const auto saved = folder.file("saved");
    std::filesystem::create_directory(saved);
    const auto target = saved / "target.ini";
    writeBytes(held, "[held]\n[x=1\nk=v\n");
    writeBytes(other, "[Main]\nName=Joe\n[Second]\nA=1\nB=2\n");
    const std::string heldPath = held.string(), otherPath = other.string(), targetPath = target.string();
    const std::string longValue(300, 'v');
    const Variant byName[] = {"s", "k", "value"};
    std::string text;
    bool flag = false;
    std::vector<std::string> names;
    std::int32_t number = 0;

    // Texts of up to 15 bytes are held without an allocation: the lookups run through without one.
    const struct {
        const char* what;
        IniCall call;
        bool allocates = true;
    } cases[] = {
        {"Open", [&](IINIFile& f) { return f.Open(otherPath); }},
        {"Save", [&](IINIFile& f) { return f.Save(targetPath); }},
        {"SetString, a new section", [&](IINIFile& f) { return f.SetString("new", "key", longValue); }},
        {"SetString, a held section", [&](IINIFile& f) { return f.SetString("held", "key", longValue); }},
        {"SetString, a name read as the file gave it", [&](IINIFile& f) { return f.SetString("held", "[x", "2"); }},
        {"SetDouble", [&](IINIFile& f) { return f.SetDouble("held", "k", 1.0 / 3); }},
        {"SetDate", [&](IINIFile& f) { return f.SetDate("held", "k", 45351.5); }},
        {"put_LineBreakMarker", [&](IINIFile& f) { return f.put_LineBreakMarker(longValue); }},
        {"GetString", [&](IINIFile& f) { return f.GetString("held", "missing", longValue, &text); }},
        {"KeyExists", [&](IINIFile& f) { return f.KeyExists("held", "k", &flag); }, false},
        {"SectionNames", [&](IINIFile& f) { return f.SectionNames(&names); }},
        {"KeyNames", [&](IINIFile& f) { return f.KeyNames("held", &names); }},
        {"ValueLength", [&](IINIFile& f) { return f.ValueLength("held", "k", &number); }, false},
        {"DeleteKey", [&](IINIFile& f) { return f.DeleteKey("held", "k"); }, false},
        {"DeleteSection", [&](IINIFile& f) { return f.DeleteSection("held"); }, false},
        {"get_FileName",
         [&](IINIFile& f) {
             std::string name;
             return f.get_FileName(&name);
         }},
        {"SetString by name",
         [&](IINIFile& f) {
             Counted<IDispatch> dispatch;
             f.QueryInterface(IID_IDispatch, dispatch.out());
             Variant result;
             return dispatch->Invoke(14, InvokeKind::Method, byName, &result);
         }},
    };
    // A save that runs out of memory once the file is in place answers so
    // with the file complete: the caller keeps the content and may save again.
    const std::string savedText = "[HELD]\r\nK=v\r\nN=5\r\n[X=1\r\n";
    const auto savedFiles = [&] {
        std::string files;
        for (const auto& entry : std::filesystem::directory_iterator(saved))
            if (entry.path() != target || testsupport::fileText(target) != savedText)
                files += entry.path().filename().string() + " ";
        return files;
    };
    for (const auto& c : cases) {
        const Sweep sweep = sweepAllocationFailures(
            [&] {
                std::filesystem::remove(target);
                auto file = newIniFile();
                file->Open(heldPath);
                file->SetLong("held", "n", 5);
                return file;
            },
            [&](Counted<IINIFile>& file) { return c.call(*file); },
            [&](Counted<IINIFile>& file) { return iniState(*file) + " " + savedFiles(); });
        EXPECT_EQ(sweep.faults, "") << c.what;
        EXPECT_TRUE(sweep.failedRuns > 0 || !c.allocates) << c.what << ": memory never ran out";
    }
}

TEST(OutOfMemory, ClassObjectsAndRegistrationAnswerIt)
{
    Counted<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(&CLSID_INIFile, &IID_IClassFactory, factory.out()), S_OK);
    Counted<IINIFile> created;
    {
        failing_allocation::Scope scope(0);
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IINIFile, created.out()), E_OUTOFMEMORY);
    }
    EXPECT_FALSE(created);
    EXPECT_EQ(DllCanUnloadNow(), S_OK) << "nothing half made holds the module";

    const std::string inprocKey = "CLSID\\{779055F1-D8BE-11D2-B532-00104B9A3597}\\InprocServer32";
    const Sweep registration = sweepAllocationFailures(
        [] { return DllUnregisterServer(); },
        [](HResult) { return DllRegisterServer(); },
        [&](HResult) {
            auto registry = newRegistry();
            registry->put_Root(0x80000000u);
            bool exists = true;
            registry->KeyExists(inprocKey, &exists);
            return std::string(exists ? "registered" : "not registered");
        });
    EXPECT_EQ(registration.faults, "") << "a registration cut short by memory is undone whole";
    EXPECT_GT(registration.failedRuns, 0);
}

TEST(OutOfMemory, RegistryMembersAnswerItAndTheStoreGoesOn)
{
    const auto prepare = [] {
        auto registry = newRegistry();
        registry->put_BaseKey("Software\\OutOfMemory");
        registry->SetString("Sub", "Name", "old");
        return registry;
    };
    const auto state = [](Counted<IRegistry>& registry) {
        std::string value;
        registry->GetString("Sub", "Name", "<missing>", &value);
        std::vector<std::string> names;
        registry->SubKeyNames("", &names);
        bool deeper = false;
        registry->KeyExists("Sub\\Deeper", &deeper);
        return value + " " + std::to_string(names.size()) + (deeper ? " deeper" : "");
    };
    std::string text;
    std::vector<std::string> names;
    const std::string newValue(300, 'n'), defaultValue(300, 'd'), deepest = "Sub\\Deeper\\Deepest";
    const struct {
        const char* what;
        std::function<HResult(IRegistry&)> call;
    } cases[] = {
        {"SetString", [&](IRegistry& r) { return r.SetString("Sub", "Name", newValue); }},
        {"GetString", [&](IRegistry& r) { return r.GetString("Sub", "Name", defaultValue, &text); }},
        {"SubKeyNames", [&](IRegistry& r) { return r.SubKeyNames("", &names); }},
        {"CreateKey", [&](IRegistry& r) { return r.CreateKey(deepest); }},
        {"DeleteKey", [](IRegistry& r) { return r.DeleteKey("Sub"); }},
    };
    for (const auto& c : cases) {
        const Sweep sweep = sweepAllocationFailures(
            prepare, [&](Counted<IRegistry>& registry) { return c.call(*registry); }, state);
        EXPECT_EQ(sweep.faults, "") << c.what;
        EXPECT_GT(sweep.failedRuns, 0) << c.what << ": memory never ran out";
    }
}
