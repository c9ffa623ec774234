// SPDX-License-Identifier: MIT
#pragma once

// The worked steps (exact_steps.h) as plain text and as LaTeX. The plain text
// is what 「コピー」 puts on the clipboard and what a screen reader reads:
// one idea a line, formulas on one line ("(3+√17)/4", "x²", "4×2×(-1)", a
// matrix as rows in parentheses), substeps indented two spaces a level. The
// LaTeX is a fragment for amsmath: one align* environment, a line a step,
// words in \text{}, formulas with \frac, \sqrt, pmatrix and array.

#include "exact_steps.h"

#include <string>

// A formula on one line.
std::string PlainText(const MathNode& node);
// One step's own line: "caption formula remark", the parts present joined by
// single spaces.
std::string PlainLine(const Step& step);
// Every step a line, substeps indented after their step; lines joined by
// "\n", no newline at the end.
std::string PlainText(const WorkedSteps& steps);

std::string LatexText(const MathNode& node);
std::string LatexText(const WorkedSteps& steps);
