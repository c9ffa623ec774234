// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The leading number of an input box's text (UTF-8). Blanks are ignored
// wherever they stand; reading stops at the first character that cannot
// continue the number; a text without a digit gives 0. Full-width digits,
// signs, point, exponent letter and the ideographic space read like ASCII, as
// do the long-vowel mark "ー" and the full stop "。" that a Japanese input
// method types in kana mode for "-" and ".". Invisible format characters
// (U+200B–U+200F, U+202A–U+202E, U+2060–U+2064, U+2066–U+2069 and the
// byte-order mark U+FEFF) are ignored like blanks.
// A number beyond the double range raises ArithmeticFault; one too small for
// it becomes zero.
double ParseNumber(std::string_view text);

// The leading number of a box's text as ParseNumber reads it, before any
// conversion: the sign, the mantissa's digits before and after the point and
// the exponent's digits (all ASCII). No digit in the mantissa means the text
// spells 0. ParseNumber is built on this, so anything that needs the value
// the text spells exactly (rather than its nearest double) starts here.
struct ScannedNumber {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    std::string exponentDigits;
    bool exponentNegative = false;
};
ScannedNumber ScanNumber(std::string_view text);

// The exponent a scanned number carries, with its sign: the value of its
// digits, saturated. Reading the digits stops once the magnitude passes
// kExponentLimit, far beyond anything a double or a box's text can need, so a
// magnitude above the limit means only "at least this large".
inline constexpr long long kExponentLimit = 1'000'000'000;
long long ExponentValue(const ScannedNumber& s);

// Nearest integer, ties to the even neighbour. Empty when the nearest integer
// lies outside the 32-bit range (or the value is not a number).
std::optional<std::int32_t> RoundToInt32(double value);

// Fixed-point text for the patterns "0.00", "0.000" and "0.000000": the value
// reduced to 15 significant digits, then rounded to the pattern's decimals with
// halves away from zero. A value that rounds to zero carries no minus sign.
std::string FormatFixed(double value, std::string_view pattern);

// The shortest general text with at most 15 significant digits: integral
// values as plain digits, exponent form from 1E15 up and below 1E-4.
std::string FormatGeneral(double value);
