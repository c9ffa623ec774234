// SPDX-License-Identifier: MIT
#pragma once

#include "elimination.h"

// The determinant by Gaussian elimination with row pivoting: the product of
// the diagonal after elimination, its sign changed once for every exchange of
// rows. A row of zeros or a zero pivot gives 0 without a message; the last
// diagonal element is not tested, a zero there simply makes the product zero.
double Gyouretusiki(Matrix Gyouretu, int Gen);
