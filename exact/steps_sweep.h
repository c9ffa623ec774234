// SPDX-License-Identifier: MIT
#pragma once

// Worked steps by 掃き出し法 (Gauss–Jordan elimination) for the simultaneous
// equations and the inverse matrix: each row operation written in words and
// the matrix after it, in exact fractions, from the boxes' texts as typed.

#include "exact_steps.h"
#include "exact_types.h"

#include <string>
#include <vector>

// The system rows · (A, B, …) = rhs of 2 to 5 unknowns: the equations as
// typed, the augmented matrix swept to (E | x), the solution, and 答 with
// the exact view's texts; a system singular in exact arithmetic ends with
// the exact view's words. No steps for a box whose number is absurd or a
// grid that is not 2 × 2 to 5 × 5.
WorkedSteps SweepSolveSteps(const BoxRows& rows, const std::vector<std::string>& rhs);

// The inverse of an n × n matrix, n = 2 to 5: for 2 × 2 the formula with
// ad − bc, for larger orders (A | E) swept to (E | A⁻¹); then the check
// A A⁻¹ = E and 答 with the exact view's texts. A singular matrix ends with
// |A| = 0 and the exact view's words.
WorkedSteps InverseSteps(const BoxRows& rows);
