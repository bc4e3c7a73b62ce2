// Errors that cross the automation interface: a number and the host's standard description.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tavrin {

namespace err {
constexpr int32_t InvalidCall = 5;                 // "Invalid procedure call or argument"
constexpr int32_t Overflow = 6;                    // "Overflow"
constexpr int32_t DivisionByZero = 11;             // "Division by zero"
constexpr int32_t TypeMismatch = 13;               // "Type mismatch"
constexpr int32_t ObjectRequired = 424;            // "Object required"
constexpr int32_t InvalidPropertyValue = 380;      // "Invalid property value"
constexpr int32_t InvalidPropertyArrayIndex = 381; // "Invalid property array index"
constexpr int32_t MemberNotFound = 438;            // "Object doesn't support this property or method"
constexpr int32_t ArgumentNotOptional = 449;       // "Argument not optional"
constexpr int32_t WrongNumberOfArguments = 450; // "Wrong number of arguments or invalid property assignment"
constexpr int32_t PermissionDenied = 70;        // "Permission denied"
constexpr int32_t FileNotFound = 53;            // "File not found"
constexpr int32_t InvalidPicture = 481;         // "Invalid picture"
constexpr int32_t OutOfMemory = 7;              // "Out of memory"
constexpr int32_t SubscriptOutOfRange = 9;      // "Subscript out of range"
constexpr int32_t ObjectNotSet = 91;            // "Object variable or With block variable not set"
constexpr int32_t NamedArgumentNotFound = 448;  // "Named argument not found"
constexpr int32_t IndexOutOfBounds = 35600;     // "Index out of bounds"
} // namespace err

// The host's standard description of an error number ("Application-defined or object-defined error"
// for numbers it does not know).
std::string standardDescription(int32_t number);

class AutomationError : public std::runtime_error {
  public:
    explicit AutomationError(int32_t number);                        // standard description
    AutomationError(int32_t number, const std::string& description); // a description of its own
    int32_t number() const { return number_; }

  private:
    int32_t number_;
};

[[noreturn]] void raise(int32_t number);
[[noreturn]] inline void RaiseInvalidPropertyValue() {
    raise(err::InvalidPropertyValue);
}
[[noreturn]] inline void RaiseInvalidArrayIndex() {
    raise(err::InvalidPropertyArrayIndex);
}

// Always-on check of an internal invariant (not a caller mistake): aborts with file and line.
[[noreturn]] void assertionFailed(const char* expr, const char* file, int line);
#define TAVRIN_VERIFY(expr) ((expr) ? (void)0 : ::tavrin::assertionFailed(#expr, __FILE__, __LINE__))

} // namespace tavrin
