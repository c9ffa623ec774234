// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <optional>
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

// A check that refused the input: the message to show and, for calculations
// after which the keyboard focus moves, which of the calculation's inputs to
// focus, numbered as that calculation numbers them (see its header). The screen
// maps the number to its box.
struct Rejection {
    std::string message;
    std::optional<int> focus;

    bool operator==(const Rejection&) const = default;
};

// What a calculation gives back: its result, or the first check that failed.
template<class T> using Outcome = std::variant<T, Rejection>;
