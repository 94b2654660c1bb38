#pragma once

#include "registry_component/BrimlockRegistry.h"

#include "component/ErrorInfo.h"

#include <filesystem>
#include <string>

// Objects of the component made as a caller makes them: through the class
// object the library exports.
template <class Interface>
component::Counted<Interface> createObject(const component::ClassId& classId, const component::InterfaceId& id)
{
    component::Counted<component::IClassFactory> factory;
    component::Counted<Interface> object;
    if (component::succeeded(DllGetClassObject(&classId, &component::IID_IClassFactory, factory.out())))
        factory->CreateInstance(nullptr, id, object.out());
    return object;
}

inline component::Counted<brimlock::IINIFile> newIniFile()
{
    return createObject<brimlock::IINIFile>(brimlock::CLSID_INIFile, brimlock::IID_IINIFile);
}

inline component::Counted<brimlock::IRegistry> newRegistry()
{
    return createObject<brimlock::IRegistry>(brimlock::CLSID_Registry, brimlock::IID_IRegistry);
}

// The file of the settings store every test of this program works in: a
// temporary one, named through GEARSUITE_REGISTRY before the first use.
const std::filesystem::path& testStoreFile();

void writeBytes(const std::filesystem::path& file, const std::string& bytes);
