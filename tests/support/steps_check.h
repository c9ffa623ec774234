// SPDX-License-Identifier: MIT
#pragma once

// Checks worked steps (exact_steps.h) the way a teacher marks them: every
// formula is evaluated exactly, independently of how the steps were made.
//
// A step's formula is split at its top-level "," into parts when every part
// holds a relation ("a = 2, b = -3, c = -1"); otherwise the members after the
// last relation form a list of values ("x = 2, 3"). Each part is a chain of
// members joined by relations ("=", "≈", ">", "<", "≠", "≧", "≦"). Every
// member evaluates to a set of complex algebraic numbers: "±" gives both
// signs (all the "±" of one member together), a list gives its values, and a
// name bound to several values gives each. A chain holds when the sets are
// equal for "=", within the last shown decimal place (half a unit) for "≈",
// and for every pair of values for the order relations.
//
// Names: "i" is the imaginary unit. A chain whose first member is a name not
// yet bound defines it as the set of the next member ("D = b² - 4ac = 17"
// binds D). Names are bound in step order, substeps after their step; the
// given bindings come first. The substeps of a step are a scope of their
// own: their problem steps are checked at its end, and the names they bind
// are forgotten after it (a factor solved on its own has its own a, b, c, x). Σ is summed term by term over its bounds,
// which must evaluate to integers. Steps of the problem rule are checked last, with every name bound (the equation
// holds at the roots found); steps of the identity rule are checked again with each free name set to several random
// integers (a factorization holds for every x).
//
// A chain "P(x) = …" whose first member is an unbound name with a name in
// brackets defines a function: P(2) is then its right side at x = 2 (the
// factor theorem's trials, and a factorization P(x) = (x - 2)(…) checked
// as an identity). Words beside a value ("2 （重解）") only describe it.
//
// An angle "45°" stands for its number of degrees; the words sin and cos
// take the item after them as such an angle ("sin 45°", "sin A"), exactly
// for the angles whose sines can have a form with square roots.
//
// A determinant, a matrix in a group with the brackets "||", evaluates to
// its value; other matrices and tables are not checked. Steps of the rule
// "elimination.equation" (an equation of simultaneous equations, as typed or
// derived) are checked last like the problem, once every unknown they speak
// of is bound; a system without one solution binds none.
//
// Words, and formulas with no relation, are not checked.

#include "exact_number.h"
#include "exact_steps.h"

#include <QStringList>

#include <map>
#include <optional>
#include <string>
#include <vector>

using Bindings = std::map<std::string, std::vector<Algebraic>>;

// Every value of a formula with the names bound; nothing when it cannot be
// evaluated (a free name, a division by zero, a Value that is not a
// canonical text, an approximate value).
std::optional<std::vector<Algebraic>> Evaluate(const MathNode& node, const Bindings& names);

// What is wrong with the steps: one line for each chain that does not hold
// or cannot be evaluated, naming the step's plain text. Empty when every
// formula is true. `names` ends with the bindings made by the steps.
QStringList CheckSteps(const WorkedSteps& steps, Bindings& names);
inline QStringList CheckSteps(const WorkedSteps& steps)
{
    Bindings names;
    return CheckSteps(steps, names);
}
