// SPDX-License-Identifier: MIT
#pragma once

// The exact calculations as the screens call them. They live in a module of
// their own, loaded the first time an exact answer is needed (never at
// start-up). The module is looked for where KALVORA_EXACT_MODULE points,
// beside the program, and where the package installs it; when it cannot be
// loaded, every result is "not found" and the exact view shows "≈" and the
// decimal text.

#include "exact_equations.h"
#include "exact_linalg.h"
#include "exact_text.h"

#include <array>
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

} // namespace Exact
