// SPDX-License-Identifier: MIT
#pragma once

// The exact number a box's text spells (ExactBoxText in exact_text.h gives
// its canonical text).

#include "exact_number.h"
#include "exact_types.h"

#include <optional>
#include <string_view>
#include <vector>

// The number a box's text spells under ParseNumber's reading rule, exactly;
// nothing when its digits or its magnitude go beyond kMaxReadOrder places
// (such a text faults or underflows in the decimal reading anyway).
inline constexpr long kMaxReadOrder = 400;
std::optional<Rational> ReadExact(std::string_view boxText);

// The boxes of an n × n grid (n = 2 to 5, as the screens have them) read
// exactly, row by row; nothing when the grid is not such a square or a box's
// number is absurd.
std::optional<std::vector<std::vector<Rational>>> ReadGrid(const BoxRows& boxes);
