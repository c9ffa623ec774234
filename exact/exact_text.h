// SPDX-License-Identifier: MIT
#pragma once

// Exact answers as the labels show them. A result that is a rational number
// plus rational multiples of square roots of integers is written in one
// canonical text, (c₁√m₁ + c₂√m₂ + …)/d:
//   - integers cₖ ≠ 0, d ≥ 1, distinct square-free m₁ < m₂ < … (m = 1 for the
//     rational term), gcd(c₁, c₂, …, d) = 1; zero is "0";
//   - a term is "c" for m = 1, "c√m" otherwise, "√m" for c = 1, "-√m" for
//     c = −1; the first term carries its own sign, later ones are joined by
//     "+" or "-"; no spaces, ASCII "-", "√" is U+221A;
//   - d = 1: the terms alone; d > 1 and one term: "term/d"; d > 1 and several
//     terms: "(terms)/d".
// Examples: "0", "-12", "-3/7", "√2", "-√3/2", "3√15/4", "1+√2", "(1+√5)/2",
// "(-1-√5)/2", "(-√2+√6)/4".
//
// Each label's exact text is an ExactText, which the calculators' functions
// give one by one or inside their results (ExactRoot, ExactVector,
// ExactMatrix): the canonical text, or nothing when the value has no such
// text of at most kMaxExactLength characters, or when it was not found. A
// text given is never wrong; nothing means the label shows kApproxMark and
// the decimal text.
//
// How a screen uses it: the decimal calculation runs first and decides every
// check and message as before. Only when it gives results does the screen
// call the exact function for its calculator with the same boxes' texts
// (exact_equations.h, exact_linalg.h, exact_sigma.h, exact_triangle.h) and
// keep both forms of each label; ExactLabelText picks the exact view's text.
// Each call returns within a few milliseconds on the screens' inputs (see
// bench/exact_paths.cpp). Only the roots have a deadline (exact_deadline.h),
// after which they give up with nothing; the other calculations have none and
// are kept short by what they are given: numbers of at most a few hundred
// digits (exact_reading.h), matrices of at most 5 × 5, square roots split
// only up to a bounded size.
//
// FLINT keeps per-thread caches. They stay reachable on the thread that made
// them; a worker thread that does exact work should call flint_cleanup()
// (flint/flint.h) before it ends, or the leak checker reports them.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

using ExactText = std::optional<std::string>;

// The longest canonical text a label shows, in characters ("√" counts once).
inline constexpr std::size_t kMaxExactLength = 24;

// Put before the decimal text when there is no exact text: "≈1.260".
inline constexpr char kApproxMark[] = "≈";

// The exact view's text for one label: the exact text, or "≈" followed by the
// decimal view's text of the same label.
inline std::string ExactLabelText(const ExactText& exact, std::string_view decimalText)
{
    return exact ? *exact : kApproxMark + std::string(decimalText);
}

// The canonical text of the number a box's text spells under ParseNumber's
// reading rule ("0.1" → "1/10", "1.5e-3" → "3/2000", blank → "0"); nothing
// when it is longer than kMaxExactLength or its magnitude is absurd
// ("1e999999999").
ExactText ExactBoxText(std::string_view boxText);

// The number of characters of a UTF-8 text.
std::size_t CharacterCount(std::string_view text);
