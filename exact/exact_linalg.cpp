// SPDX-License-Identifier: MIT
#include "exact_linalg.h"

#include "exact_reading.h"
#include "exact_value_api.h"
#include "surd_form.h"

namespace {

using RationalMatrix = Flint<fmpq_mat_struct>;

fmpq* Entry(RationalMatrix& m, std::size_t i, std::size_t j)
{
    return fmpq_mat_entry(m.get(), static_cast<slong>(i), static_cast<slong>(j));
}

// Reads texts[i][j] into column offset + j of row i; false when a box's
// number is absurd.
bool ReadInto(RationalMatrix& m, const BoxRows& texts, std::size_t offset = 0)
{
    for (std::size_t i = 0; i < texts.size(); ++i) {
        for (std::size_t j = 0; j < texts[i].size(); ++j) {
            const auto q = ReadExact(texts[i][j]);
            if (!q)
                return false;
            fmpq_set(Entry(m, i, offset + j), q->get());
        }
    }
    return true;
}

ExactText TextOf(const fmpq* q)
{
    Rational r;
    fmpq_set(r.get(), q);
    return ExactTextOf(r);
}

slong Order(const BoxRows& rows)
{
    return static_cast<slong>(rows.size());
}

} // namespace

ExactVector ExactSolve(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    const slong n = Order(rows);
    RationalMatrix a(n, n), b(n, 1), x(n, 1);
    BoxRows column;
    for (const std::string& text : rhs)
        column.push_back({text});
    ExactVector result;
    result.x.resize(static_cast<std::size_t>(n));
    if (!ReadInto(a, rows) || !ReadInto(b, column))
        return result;
    if (!fmpq_mat_solve(x.get(), a.get(), b.get())) {
        result.status = ExactStatus::Singular;
        return result;
    }
    result.status = ExactStatus::Found;
    for (std::size_t i = 0; i < result.x.size(); ++i)
        result.x[i] = TextOf(Entry(x, i, 0));
    return result;
}

std::optional<Rational> ExactDeterminantValue(const BoxRows& rows)
{
    RationalMatrix a(Order(rows), Order(rows));
    if (!ReadInto(a, rows))
        return std::nullopt;
    Rational det;
    fmpq_mat_det(det.get(), a.get());
    return det;
}

ExactText ExactDeterminant(const BoxRows& rows)
{
    const auto det = ExactDeterminantValue(rows);
    return det ? ExactTextOf(*det) : std::nullopt;
}

ExactMatrix ExactInverse(const BoxRows& rows)
{
    const slong n = Order(rows);
    RationalMatrix a(n, n), inverse(n, n);
    ExactMatrix result;
    result.entries.assign(rows.size(), std::vector<ExactText>(rows.size()));
    if (!ReadInto(a, rows))
        return result;
    if (!fmpq_mat_inv(inverse.get(), a.get())) {
        result.status = ExactStatus::Singular;
        return result;
    }
    result.status = ExactStatus::Found;
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t j = 0; j < rows.size(); ++j)
            result.entries[i][j] = TextOf(Entry(inverse, i, j));
    return result;
}
