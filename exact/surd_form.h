// SPDX-License-Identifier: MIT
#pragma once

// The surd form of a real algebraic number, c₁√m₁ + c₂√m₂ + …, and its
// canonical text (the rules are in exact_text.h).

#include "exact_number.h"
#include "exact_text.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// c₁√m₁ + c₂√m₂ + … as rational coefficients of distinct square-free m ≥ 1 in
// increasing order, with no zero coefficient; zero has no terms.
struct SurdTerm {
    Rational c;
    Integer m;
};
using SurdForm = std::vector<SurdTerm>;

// n = s²·m with m square-free, for n > 0, found by trial division by the
// primes below 2^15 and exact classification of what is left (a prime, a
// square, a product of two large primes, a machine word); nothing when the
// cofactor would need real factoring.
std::optional<std::pair<Integer, Integer>> SplitSquare(const Integer& n);

// The surd form of a real algebraic number, found for degree 1, 2 and 4 and
// always checked exactly against the number; nothing when there is none or it
// was not found.
std::optional<SurdForm> ToSurdForm(const Algebraic& x);
// The same with the reason when there is no form: NoForm when the number
// certainly has none, TooLong when any form it has is certainly longer than
// kMaxExactLength, Stopped when a bound on the work ended the search. Every
// bound is on sizes, never on time, so a number always gets the same answer.
struct SurdSearch {
    std::optional<SurdForm> form;
    ExactGap gap = ExactGap::NoForm;
};
SurdSearch FindSurdForm(const Algebraic& x);
Algebraic FromSurdForm(const SurdForm& form);
// The canonical text of a surd form, whatever its length.
std::string CanonicalText(const SurdForm& form);
// The canonical text of a real algebraic number within kMaxExactLength, or
// nothing.
ExactText ExactTextOf(const Algebraic& x);
ExactText ExactTextOf(const Rational& q);
