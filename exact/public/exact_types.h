// SPDX-License-Identifier: MIT
#pragma once

// What the exact answers look like, and nothing that computes them: the types
// a screen holds and shows. The widget kit and the screens see only this
// header (and the module's table in exact_api.h), so they cannot call a
// function of the exact library by mistake; they reach it through the module
// the kit loads (ui/exact_library.h).
//
// An exact answer is a canonical text. A result that is a rational number
// plus rational multiples of square roots of integers is written
// (c₁√m₁ + c₂√m₂ + …)/d:
//   - integers cₖ ≠ 0, d ≥ 1, distinct square-free m₁ < m₂ < … (m = 1 for the
//     rational term), gcd(c₁, c₂, …, d) = 1; zero is "0";
//   - a term is "c" for m = 1, "c√m" otherwise, "√m" for c = 1, "-√m" for
//     c = −1; the first term carries its own sign, later ones are joined by
//     "+" or "-"; no spaces, ASCII "-", "√" is U+221A;
//   - d = 1: the terms alone; d > 1 and one term: "term/d"; d > 1 and several
//     terms: "(terms)/d".
// Examples: "0", "-12", "-3/7", "√2", "-√3/2", "3√15/4", "1+√2", "(1+√5)/2",
// "(-1-√5)/2", "(-√2+√6)/4".

#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Why a value has no canonical text.
enum class ExactGap : unsigned char {
    NotFound, // not worked out: no module, or a box's number beyond reach
    NoForm, // the value has no form with square roots (∛2, sin 40°)
    TooLong, // its form is longer than kMaxExactLength characters
    Stopped, // the calculation was stopped at its limit
};

// Why the decimal calculation's text can differ from the true value rounded
// the same way: the triangle's π of ten decimals, or the rounding of the
// solvers' floating point.
enum class DecimalDrift : unsigned char {
    Rounding,
    Pi,
};

// The canonical text, or nothing and the reason why (ExactGap). A text given
// is never wrong; nothing means the label shows kApproxMark and the decimal
// text. It reads like std::optional<std::string>: `if (text)`, `*text`.
class ExactText {
public:
    ExactText() = default;
    ExactText(std::nullopt_t) { }
    ExactText(std::string text)
        : text_(std::move(text))
    {
    }
    ExactText(const char* text)
        : text_(std::string(text))
    {
    }
    static ExactText Missing(ExactGap gap)
    {
        ExactText missing;
        missing.gap_ = gap;
        return missing;
    }

    bool has_value() const { return text_.has_value(); }
    explicit operator bool() const { return text_.has_value(); }
    const std::string& operator*() const { return *text_; }
    const std::string* operator->() const { return &*text_; }
    const std::string& value() const { return text_.value(); }
    std::string value_or(std::string other) const { return text_.value_or(std::move(other)); }
    // Why there is no text; NotFound when there is one.
    ExactGap gap() const { return text_ ? ExactGap::NotFound : gap_; }

    // The exact value rounded to a double, where the calculation gives it
    // (NaN otherwise): with or without a text, it tells where the decimal
    // calculation's own rounding (π to ten decimals, a solver's floating
    // point) moved its result.
    double value_as_double = std::numeric_limits<double>::quiet_NaN();
    // What moved the decimal text off the true value, where it moved.
    DecimalDrift drift = DecimalDrift::Rounding;

    friend bool operator==(const ExactText& a, const ExactText& b) { return a.text_ == b.text_; }
    friend bool operator==(const ExactText& a, std::nullopt_t) { return !a.text_; }
    friend bool operator==(const ExactText& a, const std::string& b) { return a.text_ == b; }

private:
    std::optional<std::string> text_;
    ExactGap gap_ = ExactGap::NotFound;
};

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

// One coefficient's boxes: the texts of its real and imaginary parts.
struct CoefficientBoxes {
    std::string re;
    std::string im;
};

// The exact real and imaginary parts of one root.
struct ExactRoot {
    ExactText re;
    ExactText im;
};

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

// The inverse, entries[i][j] for row i + 1 and column j + 1.
struct ExactMatrix {
    ExactStatus status = ExactStatus::Unavailable;
    std::vector<std::vector<ExactText>> entries;
};
