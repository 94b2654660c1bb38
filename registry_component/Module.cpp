#include "Module.h"

#include "CallBoundary.h"
#include "INIFile.h"
#include "Registry.h"

#include "component/ErrorInfo.h"
#include "component/ThreadStore.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>
#include <exception>
#include <new>
#include <type_traits>

namespace brimlock {

namespace {

constexpr const char* VersionText = "1, 0, 0, 1";

struct ClassEntry {
    const component::ClassId& classId;
    const char* name;         // "Registry"
    const char* description;  // "Registry Class"
};

// The class map, in registration order.
const ClassEntry Classes[] = {
    {CLSID_Registry, "Registry", "Registry Class"},
    {CLSID_INIFile, "INIFile", "INIFile Class"},
};

// The full path of this library, as registration records it. Asked by the
// address of a function of its own: an exported name could be bound to
// another server's function of the same name.
std::string modulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&modulePath), &info) == 0 || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved))
        return resolved;
    return info.dli_fname;
}

using registry::Status;

Status setText(registry::Store& store, registry::Handle key, std::string_view subKey, std::string_view name,
               std::string_view text)
{
    registry::Handle opened = 0;
    Status status = store.createKey(key, subKey, registry::access::All, opened);
    if (status != registry::status::Success)
        return status;
    status = store.setValue(opened, name, registry::Value::text(text));
    store.closeKey(opened);
    return status;
}

Status deleteTreeIfPresent(registry::Store& store, std::string_view subKey)
{
    const Status status = store.deleteTree(registry::root::ClassesRoot, subKey);
    return status == registry::status::FileNotFound ? registry::status::Success : status;
}

Status registerClass(registry::Store& store, const ClassEntry& entry, const std::string& module)
{
    const std::string progId = std::string("BrimlockRegistry.") + entry.name;
    const std::string versioned = progId + ".1";
    const std::string classId = entry.classId.text();
    const std::string classKey = "CLSID\\" + classId;
    const registry::Handle root = registry::root::ClassesRoot;
    const struct {
        std::string key;
        const char* name;
        std::string value;
    } entries[] = {
        {versioned, "", entry.description},
        {versioned + "\\CLSID", "", classId},
        {progId, "", entry.description},
        {progId + "\\CLSID", "", classId},
        {progId + "\\CurVer", "", versioned},
        {classKey, "", entry.description},
        {classKey + "\\ProgID", "", versioned},
        {classKey + "\\VersionIndependentProgID", "", progId},
        {classKey + "\\InprocServer32", "", module},
        {classKey + "\\InprocServer32", "ThreadingModel", "Apartment"},
        {classKey + "\\TypeLib", "", LIBID_BrimlockRegistry.text()},
    };
    // The class's own key is replaced whole, so nothing of an older registration stays.
    if (Status status = deleteTreeIfPresent(store, classKey); status != registry::status::Success)
        return status;
    for (const auto& item : entries)
        if (Status status = setText(store, root, item.key, item.name, item.value); status != registry::status::Success)
            return status;
    registry::Handle programmable = 0;
    Status status = store.createKey(root, classKey + "\\Programmable", registry::access::All, programmable);
    if (status == registry::status::Success)
        store.closeKey(programmable);
    return status;
}

Status unregisterClass(registry::Store& store, const ClassEntry& entry)
{
    const std::string progId = std::string("BrimlockRegistry.") + entry.name;
    for (const std::string& key : {progId + ".1", progId, "CLSID\\" + entry.classId.text()})
        if (Status status = deleteTreeIfPresent(store, key); status != registry::status::Success)
            return status;
    return registry::status::Success;
}

} // namespace

component::ModuleLocks& moduleLocks()
{
    static component::ModuleLocks locks;
    return locks;
}

registry::Store& threadStore()
{
    return component::threadStore();
}

std::string loadComponentString(int messageId)
{
    static constexpr struct {
        int id;
        const char* text;
    } strings[] = {
        {message::ComponentName, "Brimlock Registry"},
        {message::InvalidByteArray, "Invalid Byte Array"},
        {message::AccessDenied, "Access to registry denied."},
        {message::MachineNotFound, "The machine named could not be found."},
        {message::PathNotFound, "The specified registry path was not found."},
        {message::ValueNotFound, "The specified value name was not found."},
        {message::IniFileNotFound, "INI file not found."},
        {message::IniFileError, "Error opening INI file."},
        {message::InvalidRoot, "Invalid Root value."},
        {message::ApplicationTitle, "Brimlock Registry"},
    };
    for (const auto& entry : strings)
        if (entry.id == messageId)
            return entry.text;
    return {};
}

HResult ReportComponentError(int messageId, std::string_view versionedProgId, const component::InterfaceId& interfaceId)
{
    component::ErrorInfo info;
    info.description = loadComponentString(messageId);
    info.source = std::string(versionedProgId);
    info.interfaceId = interfaceId;
    component::setErrorInfo(std::move(info));
    return errorResult(messageId);
}

HResult resultOfCaughtException(std::string_view versionedProgId, const component::InterfaceId* interfaceId) noexcept
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        component::clearErrorInfo();
        return component::E_OUTOFMEMORY;
    } catch (const std::exception& failure) {
        // Telling why needs memory too; without it the failure still stands.
        try {
            component::ErrorInfo info;
            info.description = failure.what();
            info.source = std::string(versionedProgId);
            if (interfaceId)
                info.interfaceId = *interfaceId;
            component::setErrorInfo(std::move(info));
        } catch (...) {
            component::clearErrorInfo();
        }
        return component::E_FAIL;
    } catch (...) {
        component::clearErrorInfo();
        return component::E_FAIL;
    }
}

} // namespace brimlock

using namespace brimlock;

component::HResult DllGetClassObject(const component::ClassId* classId, const component::InterfaceId* id,
                                     void** object) noexcept
{
    return guardedCall([&] {
        if (!object)
            return component::E_POINTER;
        *object = nullptr;
        if (!classId || !id)
            return component::E_POINTER;
        // Function-local statics: built once on first request, under the
        // initialisation guard, and kept until the library is unloaded.
        if (*classId == CLSID_Registry) {
            static component::ClassFactory<Registry> factory(moduleLocks());
            return factory.QueryInterface(*id, object);
        }
        if (*classId == CLSID_INIFile) {
            static component::ClassFactory<INIFile> factory(moduleLocks());
            return factory.QueryInterface(*id, object);
        }
        return component::CLASS_E_CLASSNOTAVAILABLE;
    });
}

// The class objects create with a plain new (no exception): a constructor
// that could throw would unwind into the caller.
static_assert(std::is_nothrow_constructible_v<Registry, component::ModuleLocks&, component::IUnknown*>);
static_assert(std::is_nothrow_constructible_v<INIFile, component::ModuleLocks&, component::IUnknown*>);

component::HResult DllCanUnloadNow() noexcept
{
    return moduleLocks().count() == 0 ? component::S_OK : component::S_FALSE;
}

component::HResult DllRegisterServer() noexcept
{
    return guardedCall([] {
        const std::string module = modulePath();
        if (module.empty())
            return component::E_UNEXPECTED;
        registry::Store& store = threadStore();
        const registry::Status status = store.inTransaction([&] {
            for (const ClassEntry& entry : Classes)
                if (registry::Status failure = registerClass(store, entry, module);
                    failure != registry::status::Success)
                    return failure;
            return registry::status::Success;
        });
        return component::resultFromStatus(status);
    });
}

component::HResult DllUnregisterServer() noexcept
{
    return guardedCall([] {
        registry::Store& store = threadStore();
        const registry::Status status = store.inTransaction([&] {
            for (const ClassEntry& entry : Classes)
                if (registry::Status failure = unregisterClass(store, entry); failure != registry::status::Success)
                    return failure;
            return registry::status::Success;
        });
        return component::resultFromStatus(status);
    });
}

const char* BrimlockRegistryVersion() noexcept
{
    return VersionText;
}
