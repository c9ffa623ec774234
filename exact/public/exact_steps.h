// SPDX-License-Identifier: MIT
#pragma once

// Worked steps (途中式) as data: what the exact module computes and the steps
// window shows. One tree per formula feeds all three of its readings, the
// drawing (ui/math_text.h), the one-line plain text and the LaTeX fragment
// (ui/steps_text.h), so they can never disagree.
//
// A formula is a row of items read left to right like handwriting: numbers,
// names, operators and the two-dimensional pieces (fractions, roots, powers,
// brackets, Σ, matrices, tables). Numbers carry no sign: a minus is an
// operator, unary at the start of a row or after another operator. Items
// side by side with no operator between them are multiplied ("4ac",
// "n(n+1)"); "×" is written between numbers. A chain "before = … = after"
// is one row whose top-level "=" join its members.

#include <string>
#include <vector>

struct MathNode {
    enum class Kind : unsigned char {
        Number, // unsigned decimal digits, perhaps with a point: "17", "2.5"
        Name, // a letter drawn in italics, perhaps with a prime: "x", "b'", "D"
        Operator, // "=", "+", "-", "±", "×", "≈", ">", "<", "≠", ","
        Word, // Japanese words inside a formula: "より"
        Value, // a canonical exact text ("(1+√5)/2") or "≈" and a decimal, as the exact view writes it
        Row, // children side by side; `text` kSpacedRow writes its "×" with spaces
        Fraction, // children[0] over children[1]
        Root, // √ with its bar over children[0]
        Power, // children[0] with children[1] raised
        Group, // children[0] in the brackets `text` holds: "()" or "{}"
        Sigma, // Σ from children[0] (the row "K=1") to children[1], of children[2]
        Matrix, // children are the entries row by row, `columns` to a row, in parentheses;
                // a vertical bar after column `bar` (0 for none) of an augmented matrix
        Table, // cells row by row, `columns` to a row, no brackets; a vertical rule after
               // column `bar` (0 for none) and a rule above the last row (組立除法)
    };

    Kind kind = Kind::Row;
    std::string text;
    std::vector<MathNode> children;
    int columns = 0;
    int bar = 0;
};

// A row whose products stand apart, as a division is written:
// "1071 = 462 × 2 + 147" (elsewhere "4×2×(-1)").
inline constexpr char kSpacedRow[] = "spaced";

// One step of the working: the rule it applies, its words and its formula,
// read "caption formula remark" ("判別式 D = b² - 4ac = 17", "D > 0 より、…"),
// and the steps it is made of, if any.
struct Step {
    std::string rule; // what the step does, for tools and tests: "euclid.division"
    std::string caption; // words before the formula: 「判別式」, 「答」
    MathNode math; // the formula, from before to after; an empty row for none
    std::string remark; // words after the formula: 「より、異なる2つの実数解をもつ」
    std::vector<Step> substeps;
};

// The working of one calculation: the first step restates the problem, the
// last one, whose caption is 「答」, lists every result as the exact view
// writes it. No steps when there is nothing to show (no module, an absurd
// box); `stopped` when the work was cut short at its time limit, after the
// steps found so far.
struct WorkedSteps {
    std::vector<Step> steps;
    bool stopped = false;
};

// The rules the steps name. The tests check the formulas of each exactly,
// and some rules claim more than equality: a factorization holds for every
// x, not only at the roots.
namespace StepRule {
inline constexpr char kProblem[] = "problem"; // the equation or expression as typed
inline constexpr char kAnswer[] = "answer"; // 答
inline constexpr char kIdentity[] = "identity"; // holds for every value of its names
} // namespace StepRule
