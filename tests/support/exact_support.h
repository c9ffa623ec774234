// SPDX-License-Identifier: MIT
#pragma once

// What the exact library's tests share: reading a canonical text back into
// its number, and showing an ExactText in a comparison.

#include "exact_number.h"
#include "exact_text.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>
#include <vector>

// The number a canonical text (exact_text.h) stands for; nothing for a text
// that is not one. Texts of the canonical shape whose terms are not in order
// or not reduced are read too: a round trip through CanonicalText tells them.
std::optional<Algebraic> ParseCanonical(std::string_view text);

// An equation's boxes from "re,im" per coefficient, highest power first; a
// missing ",im" is a blank box.
std::vector<CoefficientBoxes> Boxes(const QStringList& coefficients);

// A grid's boxes, one row per string, entries separated by spaces; "_" is a
// blank box.
BoxRows Rows(const QStringList& rows);

// A column of boxes (the right-hand sides), one text each.
std::vector<std::string> Column(const QStringList& texts);

// The boxes' numbers read exactly, as the exact view reads them.
std::vector<std::vector<Rational>> Numbers(const BoxRows& boxes);

// The text, or "none" for nothing.
inline QString Text(const ExactText& t)
{
    return t ? QString::fromStdString(*t) : QStringLiteral("none");
}
