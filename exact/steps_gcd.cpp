// SPDX-License-Identifier: MIT
#include "exact_reading.h"
#include "worked_steps.h"

#include <optional>
#include <utility>

namespace {

// A box's whole number as the decimal calculation accepted it (1 to
// 2147483647, perhaps typed "12.0" or "1e3"); nothing otherwise.
std::optional<Integer> WholeNumber(const std::string& text)
{
    const auto q = ReadExact(text);
    if (!q || !q->isInteger() || q->sign() <= 0 || q->bits() > 31)
        return std::nullopt;
    Integer n;
    fmpz_set(n.get(), fmpq_numref(q->get()));
    return n;
}

} // namespace

WorkedSteps GcdSteps(const std::array<std::string, 2>& txtNum)
{
    using namespace Formula;
    const auto first = WholeNumber(txtNum[0]);
    const auto second = WholeNumber(txtNum[1]);
    if (!first || !second)
        return {};

    WorkedSteps worked;
    worked.steps.push_back(
        MakeStep(StepRule::kProblem, first->text() + " と " + second->text() + " の最大公約数を求める", Row({})));
    worked.steps.push_back(
        MakeStep("euclid.method", "ユークリッドの互除法により、余りが 0 になるまで割り算をくり返す", Row({})));

    // Each division a = b × q + r; the last divisor is the greatest common
    // divisor. At most 45 divisions for numbers below 2^31 (Fibonacci).
    Integer a = *first, b = *second;
    if (a < b)
        std::swap(a, b);
    for (;;) {
        Integer q, r;
        fmpz_fdiv_qr(q.get(), r.get(), a.get(), b.get());
        std::vector<MathNode> row{Of(a), Op("="), Of(b), Op("×"), Of(q)};
        if (!fmpz_is_zero(r.get())) {
            row.push_back(Op("+"));
            row.push_back(Of(r));
        }
        MathNode division = Row(std::move(row));
        division.text = kSpacedRow;
        worked.steps.push_back(MakeStep("euclid.division", {}, std::move(division)));
        if (fmpz_is_zero(r.get()))
            break;
        a = std::move(b);
        b = std::move(r);
    }
    worked.steps.push_back(MakeStep("euclid.result", "よって最大公約数は", Of(b)));
    worked.steps.push_back(MakeStep(StepRule::kAnswer, "答", Of(b)));
    return worked;
}
