// SPDX-License-Identifier: MIT
#pragma once

#include "complex.h"
#include "exact_text.h"

#include <vector>

// The exact roots of an equation of degree 2, 3 or 4 whose coefficients
// (highest power first) are read exactly from their boxes, one per row of the
// screen: rows[k] is the exact root nearest the decimal root shown in row k,
// each exact root (counted with its multiplicity) given to exactly one row.
// A part without a canonical text holds nothing and the reason why
// (ExactText::gap()); all rows do when the roots could not be found within
// their bounds.
std::vector<ExactRoot> ExactRoots(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
