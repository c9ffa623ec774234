// SPDX-License-Identifier: MIT
#pragma once

// What assistive technology (a screen reader, through AT-SPI) learns of the
// program's own widgets: every top-level window is a window with its title; a
// result says what it is (its name) and what it holds (its text and
// description, "空欄" when empty); strokes and brackets that only draw are left
// out of the tree.

class QWidget;

// Registers the program's accessible interfaces with Qt. Safe to call more
// than once; the first call counts.
void InstallAccessibility();

// Marks a widget that only draws (a stroke, a bracket) so that it is not
// announced.
void MarkAsDecoration(QWidget* widget);

// What a result says when it holds nothing.
inline constexpr char kEmptyResult[] = "空欄";
