// SPDX-License-Identifier: MIT
#pragma once

// Exact answers as the labels show them: the canonical text and ExactText are
// described in exact_types.h. The calculators' functions give each label's
// ExactText, one by one or inside their results.
//
// How a screen uses it: the decimal calculation runs first and decides every
// check and message as before. Only when it gives results does the screen
// call the exact function for its calculator with the same boxes' texts
// (exact_equations.h, exact_linalg.h, exact_sigma.h, exact_triangle.h, all
// reached through the module's table) and keep both forms of each label;
// ExactLabelText picks the exact view's text. Each call returns within a few
// milliseconds on the screens' inputs (see bench/exact_paths.cpp), and the same
// input always gives the same answer: the work is bounded by sizes, never by
// the clock. Numbers have at most a few hundred digits (exact_reading.h),
// matrices at most 5 × 5; a root whose form could not fit a label is not
// searched for, and square parts are split only as far as cheap factoring
// goes. The roots alone also keep a safety net on the clock
// (exact_deadline.h), far above their normal times.
//
// FLINT keeps per-thread caches. They stay reachable on the thread that made
// them; a worker thread that does exact work should call flint_cleanup()
// (flint/flint.h) before it ends, or the leak checker reports them.

#include "exact_types.h"

#include <cstddef>
#include <string_view>

// The canonical text of the number a box's text spells under ParseNumber's
// reading rule ("0.1" → "1/10", "1.5e-3" → "3/2000", blank → "0"); nothing
// when it is longer than kMaxExactLength or its magnitude is absurd
// ("1e999999999").
ExactText ExactBoxText(std::string_view boxText);

// The number of characters of a UTF-8 text.
std::size_t CharacterCount(std::string_view text);
