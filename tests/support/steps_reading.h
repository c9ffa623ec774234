// SPDX-License-Identifier: MIT
#pragma once

// Worked steps read as the tests read them: the plain text a screen reader
// gets, its 答 line, and a root as the exact view writes it on a screen.

#include "exact_steps.h"
#include "exact_text.h"

#include <QString>

// The whole plain text, and its last line (empty without steps).
QString Plain(const WorkedSteps& steps);
QString LastLine(const WorkedSteps& steps);

// One part of a root as its label shows it in the exact view: the canonical
// text, or ≈ and the true value (the decimal shown where it is not known)
// to three places.
QString ShownPart(const ExactText& exact, double decimal);

// One root as the screens' copied text joins its parts ("1 - √2 i",
// "- ≈1.091i"), written as a textbook writes a number: "0 +" and a
// coefficient 1 of i left out, an imaginary part of two terms bracketed.
QString RootText(QString re, QString im);

#include <optional>
#include <vector>

// The steps' LaTeX typeset with upLaTeX as one document (ujarticle and
// amsmath): empty when it compiles, else the end of its log; nothing when
// upLaTeX is not installed.
std::optional<QString> TypesetFailure(const std::vector<WorkedSteps>& all);
