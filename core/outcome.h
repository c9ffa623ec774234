// SPDX-License-Identifier: MIT
#pragma once

#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>

// Raised where arithmetic leaves the double range, divides by zero or takes an
// invalid root; the computation never returns an infinity or a NaN in its
// place. A screen's calculate handler catches it and shows the fault message.
// Two readers of a box's text catch the one ParseNumber raises for a number
// beyond the double range, because there it is an answer, not a fault: the Σ
// bounds (such a bound is refused like any out-of-range bound) and the exact
// triangle (such a side has no exact area).
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
