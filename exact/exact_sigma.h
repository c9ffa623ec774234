// SPDX-License-Identifier: MIT
#pragma once

#include "exact_text.h"

#include <array>
#include <cstdint>
#include <string>

// The exact sum of a3·K³ + a2·K² + a1·K + a0 for K from first to last, the
// coefficients read exactly from their boxes' texts (keisuu: K³ first, the
// constant last) and the bounds as the decimal calculation rounded them.
ExactText ExactSigma(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu);
