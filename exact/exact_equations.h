// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"
#include "exact_text.h"

#include <vector>

// The exact roots of an equation of degree 2, 3 or 4 whose coefficients
// (highest power first) are read exactly from their boxes, one per row of the
// screen: rows[k] is the exact root nearest the decimal root shown in row k,
// each exact root (counted with its multiplicity) given to exactly one row.
// Rows whose parts have no canonical text, or all rows when the roots are not
// found within the time limit, hold nothing.
std::vector<ExactRoot> ExactRoots(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
