// SPDX-License-Identifier: MIT
#pragma once

#include "outcome.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr char kFirstFractionMessage[] = "Σの初期値に小数点は使わないでください！";
inline constexpr char kLastFractionMessage[] = "Σの最終値に小数点は使わないでください！";
inline constexpr char kFirstNegativeMessage[] = "初めの値が負の値になっています。";
inline constexpr char kLastNegativeMessage[] = "終わりの値が負の値になっています。";
inline constexpr char kReversedMessage[] = "初めの値が終わりの値より大きいです！！";
// Bounds whose nearest integer does not fit in 32 bits cannot even be read.
inline constexpr char kFirstRangeMessage[] = "Σの初期値の桁が大きすぎます。";
inline constexpr char kLastRangeMessage[] = "Σの最終値の桁が大きすぎます。";
// The sum of cubes is formed as a 32-bit product, which holds up to 214.
inline constexpr char kLastLimitMessage[] = "終わりの値は214以下にしてください。";

inline constexpr std::int32_t kLargestLast = 214;

// The inputs a refusal of the sum can send the keyboard focus to.
namespace SigmaInput {
enum : int { First, Last };
}

// The sums of K, K² and K³ for K = 1 to n (0 for n = 0). Each forms its
// product in 32-bit arithmetic and raises ArithmeticFault where the product
// would not fit (from n = 46341, 1024 and 215 on).
double jou1(const std::int32_t& n);
double jou2(const std::int32_t& n);
double jou3(const std::int32_t& n);

// The sum of Keisuu[0]·K³ + Keisuu[1]·K² + Keisuu[2]·K + Keisuu[3] for K from
// Hani[0] to Hani[1], in closed form: the sum up to the last value less the
// sum up to the value before the first. Needs 0 <= Hani[0] <= Hani[1] <= 214.
double Keisan(const std::array<std::int32_t, 2>& Hani, const std::array<double, 4>& Keisuu);

// The sum for the texts of the boxes, first and last value of K and the
// coefficients from K³ down to the constant term, or the first check they
// fail with the bound to put the focus in (a SigmaInput).
Outcome<double> Siguma(const std::string& first, const std::string& last, const std::array<std::string, 4>& keisuu);
