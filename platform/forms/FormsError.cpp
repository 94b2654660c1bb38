#include "FormsError.h"

#include "runtime/RuntimeError.h"

#include <QtGlobal>

#include <utility>

namespace forms {

namespace {

const char* description(int number) {
    switch (number) {
    case ControlArrayElementMissing: return "Control array element does not exist";
    case ObjectNotAnArray: return "Object not an array";
    case ObjectAlreadyLoaded: return "Object already loaded";
    case CantUnloadDesignTimeControl: return "Can't unload controls created at design time";
    case InvalidPropertyValue: return "Invalid property value";
    case InvalidPropertyArrayIndex: return "Invalid property array index";
    case PropertyReadOnly: return "Property is read-only";
    case FormAlreadyDisplayed: return "Form already displayed; can't show modally";
    case NotSupported: return "Object doesn't support this property or method";
    case ElementNotFound: return "Element not found";
    case KeyNotUnique: return "Key is not unique in collection";
    default: return nullptr;
    }
}

UnhandledErrorHandler& unhandledErrorHandler() {
    static UnhandledErrorHandler handler;
    return handler;
}

} // namespace

void raiseFormsError(int number) {
    if (const char* text = description(number))
        runtime::raise(number, text);
    runtime::raise(number);
}

void setUnhandledErrorHandler(UnhandledErrorHandler handler) { unhandledErrorHandler() = std::move(handler); }

void reportUnhandledError(const std::string& where, const std::exception& error) {
    if (unhandledErrorHandler()) {
        unhandledErrorHandler()(where, error);
        return;
    }
    qWarning("Unhandled error in %s: %s", where.c_str(), error.what());
}

} // namespace forms
