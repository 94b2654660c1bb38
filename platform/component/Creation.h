#pragma once

#include "component/Unknown.h"

#include <string_view>

// Creating objects of registered in-process servers. A class is registered
// under HKEY_CLASSES_ROOT of the calling user's settings store: its ProgID key
// names the class id (subkey CLSID), and CLSID\{id}\InprocServer32 names the
// shared library that serves it. Libraries stay loaded until
// freeUnusedLibraries finds them idle.
namespace component {

// CO_E_CLASSSTRING when the ProgID is not registered.
HResult classIdFromProgId(std::string_view progId, ClassId& id);

// The class object of a registered class. REGDB_E_CLASSNOTREG when the class
// has no server, CO_E_DLLNOTFOUND when its library does not load,
// CO_E_ERRORINDLL when the library has no DllGetClassObject.
HResult getClassObject(const ClassId& classId, const InterfaceId& id, void** object);

// A new object of the class, aggregated when outer is given.
HResult createInstance(const ClassId& classId, IUnknown* outer, const InterfaceId& id, void** object);
HResult createInstance(std::string_view progId, IUnknown* outer, const InterfaceId& id, void** object);

// Unloads every loaded server library whose DllCanUnloadNow says S_OK.
void freeUnusedLibraries();

} // namespace component
