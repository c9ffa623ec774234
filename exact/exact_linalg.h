// SPDX-License-Identifier: MIT
#pragma once

// Exact answers of the simultaneous-equations, determinant and inverse
// screens: the boxes' numbers read exactly (see exact_text.h) and the matrix
// work done in exact rational arithmetic.

#include "exact_text.h"

#include <string>
#include <vector>

// What the exact view shows instead of numbers when exact arithmetic finds
// the matrix singular although the decimal calculation, through rounding,
// produced numbers (rows 0.1 0.2 / 0.3 0.6, for instance). The determinant
// screen needs no words: its exact value is simply 0.
inline constexpr char kExactSingularSystemMessage[] = "正確な計算では行列式が0になり、解は一つに定まりません";
inline constexpr char kExactSingularInverseMessage[] = "正確な計算では行列式が0になり、逆行列はありません";

// The texts of an n × n matrix's boxes, row by row: rows[i][j] is the entry in
// row i + 1 and column j + 1.
using BoxRows = std::vector<std::vector<std::string>>;

enum class ExactStatus {
    Found, // the values are the exact results (each may still be too long: nothing)
    Singular, // exact arithmetic finds the matrix singular; show the message
    Unavailable, // a box's number is absurd or time ran out: every label shows ≈
};

// The solution x(1..n) of rows · x = rhs, in x[0..n−1].
struct ExactVector {
    ExactStatus status = ExactStatus::Unavailable;
    std::vector<ExactText> x;
};
ExactVector ExactSolve(const BoxRows& rows, const std::vector<std::string>& rhs);

// The determinant; nothing when a box's number is absurd or the text is too
// long.
ExactText ExactDeterminant(const BoxRows& rows);

// The inverse, entries[i][j] for row i + 1 and column j + 1.
struct ExactMatrix {
    ExactStatus status = ExactStatus::Unavailable;
    std::vector<std::vector<ExactText>> entries;
};
ExactMatrix ExactInverse(const BoxRows& rows);
