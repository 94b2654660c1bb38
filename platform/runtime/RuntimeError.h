#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace runtime {

// The numbered run-time errors that the program reports and that routines may
// resume after. The numbers are part of what the run log shows the user.
enum ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    BadFileNameOrNumber = 52,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIOError = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
    ObjectVariableNotSet = 91,
    CannotCreateObject = 429,
    UnsupportedValueType = 1001,
    CancelError = 32755,
};

// The standard description of a numbered error ("Division by zero", ...).
std::string errorDescription(int number);

// The numbered error that a failed open, write or rename of a file stands
// for, from its errno.
int fileErrorNumber(int errnoValue);

// A numbered run-time error: the one exception type that stands for every
// failure the program reports by number.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, const std::string& description);

    int number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }

private:
    int number_;
    std::string description_;
};

// The number and text that an error stands for when it is reported: a
// RuntimeError's own, "Out of memory" for an allocation failure, and for any
// other exception (of whatever type) error 5 with its text where it has one.
struct ErrorText {
    int number = 0;
    std::string description;
};
ErrorText errorTextOf(const std::exception_ptr& error) noexcept;
// The same for an exception in hand, for handlers that hold it by reference.
// otherNumber is the number for an exception that carries none (neither a
// RuntimeError nor an allocation failure): a module that numbers its own
// faults (a printer error, an internal error) passes its number.
ErrorText errorTextOf(const std::exception& error, int otherNumber = InvalidProcedureCall) noexcept;

[[noreturn]] void raise(int number);
[[noreturn]] void raise(int number, const std::string& description);

} // namespace runtime
