#pragma once

#include <exception>
#include <functional>
#include <string>

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

// An error escaping a handler that the window system called (a user's click,
// a timer tick) cannot travel back to a caller; it goes here instead. The
// program installs its error reporter; the default writes a warning.
using UnhandledErrorHandler = std::function<void(const std::string& where, const std::exception& error)>;
void setUnhandledErrorHandler(UnhandledErrorHandler handler);
void reportUnhandledError(const std::string& where, const std::exception& error);

// Runs a handler chain started by the window system, keeping any exception
// inside the layer.
template <typename Function>
void runFromWindowSystem(const std::string& where, Function&& function) {
    try {
        function();
    } catch (const std::exception& error) {
        reportUnhandledError(where, error);
    }
}

} // namespace forms
