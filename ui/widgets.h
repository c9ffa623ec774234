// SPDX-License-Identifier: MIT
#pragma once

// Small builders for the controls every screen is made of, so that names,
// accessible names and sizes are set the same way everywhere.

#include "exact_types.h"
#include "type_size.h"

#include <QString>

#include <initializer_list>
#include <span>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// "txtNum" and 3 give "txtNum_3": the name of a member of a control array.
QString Indexed(const char* base, int index);

// A single-line input box wide enough for about `chars` digits. Nothing is
// filtered while typing; the accessible name says what the box is for.
QLineEdit* MakeBox(QWidget* parent, const QString& name, const QString& accessibleName, int chars);

// A static label.
QLabel* MakeText(QWidget* parent, const QString& name, const QString& text);

// A small raised label for an exponent ("2" in x²).
QLabel* MakeExponent(QWidget* parent, const QString& name, const QString& text);

// A result label (a ResultLabel): selectable for copying, at least `chars`
// digits wide, named for screen readers; a longer result is drawn in exponent
// form, and shown whole in its tool tip.
QLabel* MakeResult(QWidget* parent, const QString& name, const QString& accessibleName, int chars);

// Writes a result (empty for none), telling assistive technology.
void SetResult(QLabel* label, const std::string& text);

// Gives a result its text in the exact view: the canonical exact text, or
// "≈" and its decimal text.
void SetExactResult(QLabel* label, const std::string& text);

// Gives a result its exact form: the exact text, or "≈" and the decimal text
// where there is none; the label keeps the form's reason and value too.
void SetExactResult(QLabel* label, const ExactText& exact, const std::string& decimalText);

// A push button that is neither the default nor the cancel button.
QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text);

// Scales the point size of a widget's font, never below kSmallestPointSize.
void ScaleFont(QWidget* widget, double factor, bool bold = false);

// Chains the keyboard focus through the widgets in the order given; hidden
// ones are passed over when tabbing.
void SetTabOrder(std::span<QWidget* const> widgets);
inline void SetTabOrder(std::initializer_list<QWidget*> widgets)
{
    SetTabOrder(std::span(widgets.begin(), widgets.size()));
}

// Holds a box or result at the width its builder chose for it, whatever its
// text: forms that are written out like a formula keep their shape.
void FixWidth(QWidget* widget);

// The text of an input box as the computation reads it.
std::string TextOf(const QLineEdit* box);
