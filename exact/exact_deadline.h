// SPDX-License-Identifier: MIT
#pragma once

// The time limit of an exact calculation that can run long: finding the
// roots of an equation, checked between its steps.

#include <chrono>

// FLINT's own steps cannot be interrupted; the size guards keep each short.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds budget)
        : end_(std::chrono::steady_clock::now() + budget)
    {
    }
    bool passed() const { return std::chrono::steady_clock::now() >= end_; }

private:
    std::chrono::steady_clock::time_point end_;
};

// The time the exact roots may take before they give up.
inline constexpr std::chrono::milliseconds kExactBudget{60};
