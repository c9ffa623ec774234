// SPDX-License-Identifier: MIT
#pragma once

// Exact answers of the simultaneous-equations, determinant and inverse
// screens: the boxes' numbers read exactly (see exact_text.h) and the matrix
// work done in exact rational arithmetic. BoxRows, ExactVector, ExactMatrix
// and the singular matrices' messages are in exact_types.h.

#include "exact_text.h"

#include <string>
#include <vector>

ExactVector ExactSolve(const BoxRows& rows, const std::vector<std::string>& rhs);

// The determinant; nothing when a box's number is absurd or the text is too
// long.
ExactText ExactDeterminant(const BoxRows& rows);

ExactMatrix ExactInverse(const BoxRows& rows);
