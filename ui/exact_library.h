// SPDX-License-Identifier: MIT
#pragma once

// The exact calculations as the screens call them. They live in a module of
// their own, loaded the first time an exact answer is needed (never at
// start-up). The module is looked for where KALVORA_EXACT_MODULE points,
// beside the program, and where the package installs it; the first that
// passes every check below is used. When none does, every result is "not
// found", the exact view shows "≈" and the decimal text, and one line on
// standard error names each file tried and why it was refused.

#include "complex.h"
#include "exact_steps.h"
#include "exact_types.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace Exact {

std::vector<ExactRoot> Roots(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
ExactVector Solve(const BoxRows& rows, const std::vector<std::string>& rhs);
ExactText Determinant(const BoxRows& rows);
ExactMatrix Inverse(const BoxRows& rows);
ExactText Sigma(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu);
ExactText TriangleArea(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);

// The worked steps of a calculation (exact_steps.h); no steps without the
// module.
WorkedSteps GcdSteps(const std::array<std::string, 2>& txtNum);
WorkedSteps RootSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
WorkedSteps SigmaSteps(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu);
WorkedSteps SolveSteps(const BoxRows& rows, const std::vector<std::string>& rhs);
WorkedSteps DeterminantSteps(const BoxRows& rows);
WorkedSteps InverseSteps(const BoxRows& rows);
WorkedSteps TriangleSteps(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);

// The calculations above may run on any thread, several at once; the first
// to need the module loads it while the others wait. The places it is looked
// for depend on where the program lies, which only the window's thread may
// ask Qt: call this there before the first calculation runs on another
// thread. Cheap after the first call.
void PrepareLoad();

// Frees the caches the module's arithmetic keeps for the calling thread. A
// worker thread calls it after each calculation, so that a thread ending
// leaves nothing behind; the next calculation on it builds them afresh.
// Nothing happens before the module is loaded.
void ReleaseThreadCaches();

// For tests only: every calculation run off the window's thread first waits
// this long (none by default), so that a test can act while one is running.
void SetWorkDelayForTests(std::chrono::milliseconds delay);
std::chrono::milliseconds WorkDelayForTests();

// Why a file was or was not taken as the exact module, in the order the
// checks run: each guards the next (a FIFO must not block the window, a file
// cut short must not reach the dynamic loader, which would fault on its
// missing pages, and a stale module must not be called with types of another
// layout).
enum class ModuleStatus {
    Loaded,
    NotFound,
    Unreadable,
    NotRegularFile,
    NotCompleteElf, // too short for what its headers promise, or no ELF at all
    OtherMachine, // an ELF object for another kind of computer
    NotLoadable, // the dynamic loader refused it
    NoEntry, // loads, but exports no exact table
    NoTable, // its entry gave no table
    OtherVersion, // its stamp is not this program's
};

struct ModuleCheck {
    ModuleStatus status = ModuleStatus::NotFound;
    std::string reason; // in English, never in the user's language: "not a regular file"
};

// Checks the file at path and, if it passes, loads it and checks its table;
// a module taken stays loaded for the life of the program. The loader runs
// this on each place in turn; tests run it on files made to fail.
ModuleCheck TryLoad(const std::string& path);

struct Refusal {
    std::string path;
    std::string reason;
};

// The one line written to standard error about the places refused, without
// its newline. With no module taken: "kalvora: exact answers unavailable:
// <path>: <reason>; <path>: <reason> (exact answers show ≈)". With a module
// taken after a refusal: "kalvora: exact module refused: <path>: <reason>;
// using <taken>". Empty when there is nothing to say.
std::string RefusalLine(const std::vector<Refusal>& refused, const std::string& taken);

} // namespace Exact
