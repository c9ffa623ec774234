// SPDX-License-Identifier: MIT
#pragma once

#include "elimination.h"

inline constexpr char kGyakuMessage[] = "逆行列は存在しません";

// The inverse by Gauss–Jordan elimination with row pivoting: Gyouretu is
// reduced to the unit matrix while the companion Gyaku, which starts as the
// unit matrix, undergoes the same row operations and ends as the inverse.
// Refused when a row is all zeros or any pivot, the last included, is exactly
// zero.
Outcome<Matrix> Gyakugyouretu(Matrix Gyouretu, int Gen);
