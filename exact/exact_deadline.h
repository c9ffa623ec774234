// SPDX-License-Identifier: MIT
#pragma once

// The wall-clock limit of an exact calculation that can run long: finding the
// roots of an equation, checked between its steps. It is only a safety net:
// bounds on the sizes of what is factored, isolated and split decide the
// answer, so the same input gets the same answer on any machine, well within
// a tenth of this limit.

#include <chrono>

// FLINT's own steps cannot be interrupted; the size guards keep each short.
class Deadline {
public:
    explicit Deadline(std::chrono::milliseconds budget)
        : end_(std::chrono::steady_clock::now() + budget)
    {
    }
    bool passed() const { return expired || std::chrono::steady_clock::now() >= end_; }

    // Every limit of the calling thread taken as passed: how the tests see
    // work that runs out of time stop cleanly, on any machine.
    static inline thread_local bool expired = false;

private:
    std::chrono::steady_clock::time_point end_;
};

// The time after which the exact roots give up, their parts Stopped.
inline constexpr std::chrono::milliseconds kExactSafetyNet{2000};
