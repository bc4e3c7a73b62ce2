// Automation errors with the host's standard descriptions, and the always-on invariant check.
#include "tavrin/automation/AutomationError.h"

#include <cstdio>
#include <cstdlib>

namespace tavrin {

namespace {

struct KnownError {
    int32_t number;
    const char* description;
};

// The host's own wording for the errors that the controls and their hosts raise.
constexpr KnownError kKnownErrors[] = {
    {5, "Invalid procedure call or argument"},
    {6, "Overflow"},
    {7, "Out of memory"},
    {9, "Subscript out of range"},
    {11, "Division by zero"},
    {13, "Type mismatch"},
    {53, "File not found"},
    {70, "Permission denied"},
    {91, "Object variable or With block variable not set"},
    {380, "Invalid property value"},
    {381, "Invalid property array index"},
    {424, "Object required"},
    {438, "Object doesn't support this property or method"},
    {448, "Named argument not found"},
    {449, "Argument not optional"},
    {450, "Wrong number of arguments or invalid property assignment"},
    {481, "Invalid picture"},
    {35600, "Index out of bounds"},
};

} // namespace

std::string standardDescription(int32_t number) {
    for (const KnownError& e : kKnownErrors) {
        if (e.number == number) return e.description;
    }
    return "Application-defined or object-defined error";
}

AutomationError::AutomationError(int32_t number)
    : std::runtime_error(standardDescription(number)), number_(number) {}

AutomationError::AutomationError(int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

void raise(int32_t number) {
    throw AutomationError(number);
}

void assertionFailed(const char* expr, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: internal check failed: %s\n", file, line, expr);
    std::fflush(stderr);
    std::abort();
}

} // namespace tavrin
