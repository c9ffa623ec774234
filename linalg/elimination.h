// SPDX-License-Identifier: MIT
#pragma once

// What the three matrix calculators share: the 1-based n × n matrix, the test
// for a row of zeros, the choice of the pivot row and the exchange of rows.
// Each calculator adds its own step to the exchange (the right-hand sides, the
// sign of the determinant, the companion matrix) through a callback.

#include "outcome.h"

#include <array>
#include <cassert>
#include <cmath>
#include <utility>

// The largest order the screens offer.
inline constexpr int kMaxGen = 5;

// Rows and columns are numbered from 1 to Gen; index 0 and indices above Gen
// are never read.
using Vector = std::array<double, kMaxGen + 1>;
using Matrix = std::array<Vector, kMaxGen + 1>;

// The first row 1..Gen whose Gen entries are all exactly zero, or 0 when no
// row is. Only an exact 0.0 counts: there is no tolerance.
inline int ZeroRow(const Matrix& Gyouretu, int Gen)
{
    for (int i = 1; i <= Gen; ++i) {
        int ZeroKosuu = 0;
        for (int j = 1; j <= Gen; ++j) {
            if (Gyouretu[i][j] == 0.0)
                ++ZeroKosuu;
        }
        if (ZeroKosuu == Gen)
            return i;
    }
    return 0;
}

// Exchanges rows k and r of a matrix in columns from..to.
inline void ExchangeRows(Matrix& m, int k, int r, int from, int to)
{
    for (int j = from; j <= to; ++j)
        std::swap(m[k][j], m[r][j]);
}

// Where Pivot found the pivot of column k: its magnitude and its row.
struct PivotChoice {
    double Saidai;
    int SaidaiGyou;
};

// Partial pivoting on column k: the row from k down whose entry in column k
// has the largest magnitude. A later row must be strictly larger to win, so
// on a tie the upper row keeps the pivot. When that row is not k, rows k and
// SaidaiGyou are exchanged in columns k..Gen (the columns to the left are
// never read again) and exchangeAlso(SaidaiGyou) exchanges whatever travels
// with the rows. Saidai = 0 means the column holds no non-zero entry from row
// k down; nothing is exchanged then.
template<class ExchangeAlso> PivotChoice Pivot(Matrix& Gyouretu, int Gen, int k, ExchangeAlso&& exchangeAlso)
{
    assert(Gen >= 2 && Gen <= kMaxGen && k >= 1 && k <= Gen);
    PivotChoice choice{std::fabs(Gyouretu[k][k]), k};
    for (int i = k + 1; i <= Gen; ++i) {
        if (std::fabs(Gyouretu[i][k]) > choice.Saidai)
            choice = {std::fabs(Gyouretu[i][k]), i};
    }
    if (choice.Saidai != 0.0 && choice.SaidaiGyou != k) {
        ExchangeRows(Gyouretu, k, choice.SaidaiGyou, k, Gen);
        exchangeAlso(choice.SaidaiGyou);
    }
    return choice;
}

// entry − other × Jousuu, the product formed first and then subtracted, as
// every elimination step does it. A result beyond the double range is a fault.
inline double Reduced(double entry, double other, double Jousuu)
{
    return Checked(entry - Checked(other * Jousuu));
}

// A quotient, checked: the divisor is never zero where this is used, but a
// tiny divisor can still carry the quotient beyond the double range.
inline double Quotient(double dividend, double divisor)
{
    return Checked(dividend / divisor);
}
