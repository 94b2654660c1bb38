#include "component/Creation.h"

#include "component/ThreadStore.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

namespace component {

namespace {

using GetClassObjectFunction = HResult (*)(const ClassId*, const InterfaceId*, void**);
using CanUnloadNowFunction = HResult (*)();

// The default value of a key under HKEY_CLASSES_ROOT, when it is a text.
bool readClassesText(const std::string& path, std::string& text)
{
    registry::Store& store = threadStore();
    registry::Handle key = 0;
    if (store.openKey(registry::root::ClassesRoot, path, registry::access::Read, key) != registry::status::Success)
        return false;
    registry::Value value;
    const bool found = store.queryValue(key, "", value) == registry::status::Success;
    store.closeKey(key);
    if (!found)
        return false;
    auto held = value.asText();
    if (!held)
        return false;
    text = std::move(*held);
    return true;
}

struct LoadedLibrary {
    void* handle = nullptr;
    GetClassObjectFunction getClassObject = nullptr;
    CanUnloadNowFunction canUnloadNow = nullptr;
};

std::mutex librariesLock;
std::map<std::string, LoadedLibrary>& loadedLibraries()
{
    static std::map<std::string, LoadedLibrary> libraries;
    return libraries;
}

HResult loadLibrary(const std::string& path, GetClassObjectFunction& getClassObject)
{
    std::lock_guard guard(librariesLock);
    auto& libraries = loadedLibraries();
    if (auto found = libraries.find(path); found != libraries.end()) {
        getClassObject = found->second.getClassObject;
        return S_OK;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return CO_E_DLLNOTFOUND;
    LoadedLibrary library;
    library.handle = handle;
    library.getClassObject = reinterpret_cast<GetClassObjectFunction>(dlsym(handle, "DllGetClassObject"));
    library.canUnloadNow = reinterpret_cast<CanUnloadNowFunction>(dlsym(handle, "DllCanUnloadNow"));
    if (!library.getClassObject) {
        dlclose(handle);
        return CO_E_ERRORINDLL;
    }
    getClassObject = library.getClassObject;
    libraries.emplace(path, library);
    return S_OK;
}

} // namespace

HResult classIdFromProgId(std::string_view progId, ClassId& id)
{
    if (progId.empty() || progId.find('\\') != std::string_view::npos)
        return CO_E_CLASSSTRING;
    std::string text;
    if (!readClassesText(std::string(progId) + "\\CLSID", text))
        return CO_E_CLASSSTRING;
    const auto parsed = Guid::parse(text);
    if (!parsed)
        return CO_E_CLASSSTRING;
    id = *parsed;
    return S_OK;
}

HResult getClassObject(const ClassId& classId, const InterfaceId& id, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    std::string path;
    if (!readClassesText("CLSID\\" + classId.text() + "\\InprocServer32", path) || path.empty())
        return REGDB_E_CLASSNOTREG;
    GetClassObjectFunction getClassObject = nullptr;
    if (const HResult loaded = loadLibrary(path, getClassObject); failed(loaded))
        return loaded;
    return getClassObject(&classId, &id, object);
}

HResult createInstance(const ClassId& classId, IUnknown* outer, const InterfaceId& id, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    Counted<IClassFactory> factory;
    if (const HResult found = getClassObject(classId, IID_IClassFactory, factory.out()); failed(found))
        return found;
    return factory->CreateInstance(outer, id, object);
}

HResult createInstance(std::string_view progId, IUnknown* outer, const InterfaceId& id, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    ClassId classId;
    if (const HResult found = classIdFromProgId(progId, classId); failed(found))
        return found;
    return createInstance(classId, outer, id, object);
}

void freeUnusedLibraries()
{
    std::lock_guard guard(librariesLock);
    auto& libraries = loadedLibraries();
    for (auto it = libraries.begin(); it != libraries.end();) {
        if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK) {
            dlclose(it->second.handle);
            it = libraries.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace component
