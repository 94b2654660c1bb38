#include "FormsError.h"

#include "runtime/RuntimeError.h"


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

} // namespace

void raiseFormsError(int number) {
    if (const char* text = description(number))
        runtime::raise(number, text);
    runtime::raise(number);
}

} // namespace forms
