// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>
#include <variant>

// Raised where arithmetic leaves the double range, divides by zero or takes an
// invalid root. Only a screen's calculate handler catches it; the computation
// never returns an infinity or a NaN in its place.
class ArithmeticFault : public std::runtime_error {
public:
    ArithmeticFault()
        : std::runtime_error("arithmetic fault")
    {
    }
};

// Every double the computation produces passes through here, so a fault is
// caught at the step that made it rather than as a garbled result later.
inline double Checked(double value)
{
    if (!std::isfinite(value))
        throw ArithmeticFault();
    return value;
}

// A check that refused the input: the message to show and, for screens that
// move the keyboard focus afterwards, the objectName of the box to focus.
struct Rejection {
    std::string message;
    std::string focus;

    bool operator==(const Rejection&) const = default;
};

// What a calculation gives back: its result, or the first check that failed.
template<class T> using Outcome = std::variant<T, Rejection>;
