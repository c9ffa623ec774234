// SPDX-License-Identifier: MIT
#pragma once

// Checks the matrix steps of a sweep the way a teacher marks them: each row
// operation is read from its Japanese caption, done again in exact rationals
// on the matrix before it, and the result compared with the matrix the step
// shows. Nothing of the builder is used but the steps themselves.

#include "exact_number.h"
#include "exact_steps.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

using RationalRows = std::vector<std::vector<Rational>>;

// The entries of a Matrix node, row by row; nothing when the node is not a
// matrix or an entry is not a rational number.
std::optional<RationalRows> MatrixValues(const MathNode& node);

// The last Matrix among the items of a formula (the right end of a chain).
const MathNode* LastMatrix(const MathNode& math);

// An elementary row operation, rows numbered from 1:
// 「第2行と第3行を入れ替える」 Swap(2, 3); 「第2行を 3 で割る」 Scale(2, 1/3);
// 「第2行を 3/2 倍する」 Scale(2, 3/2); 「第2行から第1行の 2 倍を引く」
// Add(2, 1, -2); 「第1行に第2行を加える」 Add(1, 2, 1).
struct RowOperation {
    enum class Kind { Swap, Scale, Add };
    Kind kind = Kind::Swap;
    int target = 0;
    int source = 0;
    Rational factor;
};
std::optional<RowOperation> ReadRowOperation(const QString& caption);

// Does the operation on m; false when it is not an elementary operation of
// m's rows or it would change nothing (a row swapped with itself, scaled by
// 1 or 0, or 0 times a row added).
bool Apply(const RowOperation& operation, RationalRows& m);

// Follows a sweep: the step of rule "sweep.matrix" must show `start`, and
// each later step whose rule starts with "sweep." and whose caption is a row
// operation must show the matrix before it with that operation done.
// Returns what is wrong, one line a step; `last` is the last matrix shown
// and `operations` counts the row operations.
QStringList CheckSweep(const WorkedSteps& steps, const RationalRows& start, RationalRows& last, int& operations);

// Exact products and the unit matrix.
RationalRows Multiply(const RationalRows& a, const RationalRows& b);
RationalRows UnitMatrix(std::size_t n);
bool SameMatrix(const RationalRows& a, const RationalRows& b);
