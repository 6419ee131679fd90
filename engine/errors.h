#pragma once
// The program's error kinds. Failures the program does not expect (strict
// number conversions, arithmetic faults) are raised as one of these and caught
// in exactly one place by each host (the window's error dialog, orvane-eval).
#include <stdexcept>
#include <string>

namespace orvane {

// Base of every raised error; kind() is the kind name shown to users and in
// orvane-eval's JSON ("EConvertError", "EZeroDivide", ...).
class EOrvane : public std::runtime_error {
public:
    EOrvane(std::string kind, const std::string& message)
        : std::runtime_error(message), m_kind(std::move(kind)) {}
    const std::string& kind() const { return m_kind; }

private:
    std::string m_kind;
};

// Text that is not a number, date or time where one is required.
class EConvertError : public EOrvane {
public:
    explicit EConvertError(const std::string& message) : EOrvane("EConvertError", message) {}
};
// Floating-point division of a non-zero value by zero.
class EZeroDivide : public EOrvane {
public:
    EZeroDivide() : EOrvane("EZeroDivide", "Floating point division by zero") {}
};
// Invalid floating-point operation (0/0, log of a negative, out-of-range Round/Trunc).
class EInvalidOp : public EOrvane {
public:
    EInvalidOp() : EOrvane("EInvalidOp", "Invalid floating point operation") {}
};
// Result beyond the extended range.
class EOverflow : public EOrvane {
public:
    EOverflow() : EOrvane("EOverflow", "Floating point overflow") {}
};
// Integer division or remainder by zero.
class EDivByZero : public EOrvane {
public:
    EDivByZero() : EOrvane("EDivByZero", "Division by zero") {}
};
// A fixed limit of the program was exceeded (nesting depth, padding width);
// the statement is abandoned like any other raised error.
class ELimitExceeded : public EOrvane {
public:
    explicit ELimitExceeded(const std::string& message) : EOrvane("ELimitExceeded", message) {}
};

// Raises EConvertError "'<text>' is not a valid integer value".
[[noreturn]] void RaiseInvalidInteger(const std::string& text);
// Raises EConvertError "'<text>' is not a valid floating point value".
[[noreturn]] void RaiseInvalidFloat(const std::string& text);
// Raises EConvertError "'<text>' is not a valid date and time".
[[noreturn]] void RaiseInvalidDateTime(const std::string& text);
// Raises EConvertError "Invalid argument to time encode".
[[noreturn]] void RaiseTimeEncode();

}  // namespace orvane
