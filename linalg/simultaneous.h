// SPDX-License-Identifier: MIT
#pragma once

#include "elimination.h"

inline constexpr char kRenrituMessage[] = "この連立方程式は解けません";

// Gaussian elimination with row pivoting and back substitution on the system
// Gyouretu · Kai = Teisuu of Gen equations; both are overwritten. Gives the
// solution Kai(1..Gen), or the refusal when a pivot, the last diagonal element
// included, is exactly zero.
Outcome<Vector> Gauss(Matrix& Gyouretu, Vector& Teisuu, int Gen);

// The whole calculation behind "計算！": refused when an equation has only
// zero coefficients (whatever its right-hand side), otherwise Gauss.
Outcome<Vector> Renritu(Matrix Gyouretu, Vector Teisuu, int Gen);
