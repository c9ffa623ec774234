// SPDX-License-Identifier: MIT
#pragma once

// The worked steps of simultaneous equations by the 加減法: the equations
// numbered ①②③ as typed, with the unknowns A, B, C, … as on the screen;
// one unknown eliminated at a time by adding or subtracting multiples of two
// equations («①×2 − ② より … ④»); the last equation solved and the values
// put back in turn; 答 in the exact view's texts.

#include "exact_steps.h"
#include "exact_types.h"

#include <string>
#include <vector>

// The rules of the steps that speak of the equations. A numbered equation
// (as typed, a multiple of one, or a sum of multiples) holds at the
// solution: it is checked there, once the unknowns are found. A step of
// kEliminationSolved finds an unknown ("A = 2"). Every step whose caption
// names a combination of numbered equations («①×2 − ② より», «③の両辺を 5 で
// 割ると») is exactly that combination.
inline constexpr char kEliminationEquation[] = "elimination.equation";
inline constexpr char kEliminationSolved[] = "elimination.solved";

// The steps for the system rows · (A, B, …) = rhs from the boxes' texts;
// none when a box's number is absurd or the sizes do not match. A system
// without exactly one solution ends, after the equation 0 = 0 or 0 = k that
// shows it, with the exact view's words for it.
WorkedSteps EliminationSteps(const BoxRows& rows, const std::vector<std::string>& rhs);
