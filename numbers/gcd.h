// SPDX-License-Identifier: MIT
#pragma once

#include "outcome.h"

#include <cstdint>

inline constexpr char kKouyakuMessage[] = "小数または０以下の数にはしないでください";
inline constexpr char kKouyakuRangeMessage[] = "桁が大きすぎます。2147483647以下の正の整数にしてください";

// Euclid's algorithm in 32-bit arithmetic. On entry x >= y >= 1; on return g
// holds the greatest common divisor and x, y the last pair of the loop.
void Euclid(std::int32_t& x, std::int32_t& y, std::int32_t& g);

// The greatest common divisor of the two numbers read from the boxes, or the
// first check they fail: both must be whole numbers of at least 1.
Outcome<std::int32_t> Kouyaku(double first, double second);
