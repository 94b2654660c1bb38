#include "RuntimeError.h"

#include <cerrno>
#include <new>

#include "ResumeNext.h"

namespace runtime {

int fileErrorNumber(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
        return PermissionDenied;
    case ENOSPC:
    case EDQUOT:
        return DiskFull;
    case EISDIR:
        return PathFileAccessError;
    default:
        return DeviceIOError;
    }
}

std::string errorDescription(int number) {
    switch (number) {
    case InvalidProcedureCall: return "Invalid procedure call or argument";
    case Overflow: return "Overflow";
    case OutOfMemory: return "Out of memory";
    case SubscriptOutOfRange: return "Subscript out of range";
    case DivisionByZero: return "Division by zero";
    case TypeMismatch: return "Type mismatch";
    case BadFileNameOrNumber: return "Bad file name or number";
    case FileNotFound: return "File not found";
    case FileAlreadyOpen: return "File already open";
    case DeviceIOError: return "Device I/O error";
    case DiskFull: return "Disk full";
    case InputPastEndOfFile: return "Input past end of file";
    case PermissionDenied: return "Permission denied";
    case PathFileAccessError: return "Path/File access error";
    case PathNotFound: return "Path not found";
    case ObjectVariableNotSet: return "Object variable or With block variable not set";
    case CannotCreateObject: return "Component can't create object";
    case UnsupportedValueType: return "Unsupported value type";
    case CancelError: return "Cancel was selected.";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, errorDescription(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description) {}

ErrorText errorTextOf(const std::exception& error, int otherNumber) noexcept {
    try {
        if (const auto* numbered = dynamic_cast<const RuntimeError*>(&error))
            return {numbered->number(), numbered->description()};
        if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr)
            return {OutOfMemory, errorDescription(OutOfMemory)};
        const std::string text = error.what();
        return {otherNumber, text.empty() ? errorDescription(otherNumber) : text};
    } catch (...) {
        // Copying a text failed: the number alone still says what happened.
        return {OutOfMemory, {}};
    }
}

ErrorText errorTextOf(const std::exception_ptr& error) noexcept {
    if (!error)
        return {InvalidProcedureCall, errorDescription(InvalidProcedureCall)};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& thrown) {
        return errorTextOf(thrown);
    } catch (...) {
        try {
            return {InvalidProcedureCall, errorDescription(InvalidProcedureCall)};
        } catch (...) {
            return {OutOfMemory, {}};
        }
    }
}

void raise(int number) { throw RuntimeError(number); }

void raise(int number, const std::string& description) { throw RuntimeError(number, description); }

void reportError(ErrorReporter& reporter, std::string_view module, std::string_view routine,
                 const std::exception_ptr& error, std::string_view other) noexcept {
    const ErrorText text = errorTextOf(error);
    try {
        reporter.reportError(module, routine, std::to_string(text.number), text.description, other);
    } catch (...) {
        // A reporter that fails has nowhere left to report to.
    }
}

void ResumeNext::report(const std::exception_ptr& error) {
    ++errors_;
    if (reporter_ != nullptr)
        reportError(*reporter_, module_, routine_, error, other_);
}

} // namespace runtime
