// SPDX-License-Identifier: MIT
#pragma once

// The worked steps of a determinant, named D: ad − bc for order 2, サラスの
// 方法 for order 3; for orders 4 and 5 余因子展開 along the row or column with
// the most zeros where that leaves at most two small determinants to work
// out, otherwise 行基本変形 to a triangular matrix and the product of its
// diagonal. 答 is the exact view's text.

#include "exact_steps.h"
#include "exact_types.h"

// A determinant is written as a Group with these brackets around a Matrix:
// its entries between vertical bars.
inline constexpr char kDeterminantBars[] = "||";

// The steps for the boxes' texts; none when a box's number is absurd or the
// matrix is not square.
WorkedSteps DeterminantSteps(const BoxRows& rows);
