#pragma once

#include "forms/EntryGuard.h"

namespace forms {

// Numbered run-time errors of windows and controls, beyond the general ones of
// runtime::ErrorNumber.
enum FormsErrorNumber : int {
    ControlArrayElementMissing = 340,
    ObjectNotAnArray = 343,
    ObjectAlreadyLoaded = 360,
    CantUnloadDesignTimeControl = 362,
    InvalidPropertyValue = 380,
    InvalidPropertyArrayIndex = 381,
    PropertyReadOnly = 383,
    FormAlreadyDisplayed = 400,
    NotSupported = 438,
    ElementNotFound = 35601,
    KeyNotUnique = 35602,
};

[[noreturn]] void raiseFormsError(int number);

} // namespace forms
