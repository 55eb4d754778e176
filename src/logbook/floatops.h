#pragma once

#include "logbook/errors.h"

#include <cmath>

namespace spritlog {

// Floating-point arithmetic with the program's traps: division by zero, invalid operations
// and overflow are errors, never infinities or NaN. Underflow passes silently.
inline double CheckedResult(double value) {
    if (std::isnan(value))
        throw Error(kInvalidOperation);
    if (std::isinf(value))
        throw Error(kOverflow);
    return value;
}

inline double Divide(double numerator, double denominator) {
    if (std::isnan(numerator) || std::isnan(denominator))
        throw Error(kInvalidOperation);
    if (denominator == 0.0) {
        if (numerator == 0.0)
            throw Error(kInvalidOperation);
        throw Error(kDivisionByZero);
    }
    return CheckedResult(numerator / denominator);
}

inline double Multiply(double a, double b) {
    return CheckedResult(a * b);
}
inline double Add(double a, double b) {
    return CheckedResult(a + b);
}

} // namespace spritlog
