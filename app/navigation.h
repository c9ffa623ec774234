// SPDX-License-Identifier: MIT
#pragma once

// Which windows exist and how the user moves between them. Every screen kind
// exists at most once; a screen is created when it is first shown and destroyed
// when it is unloaded.

class CalculatorScreen;
class QWidget;
struct QMetaObject;

// A calculator the menu can open: its form class (whose name is the window's
// objectName) and how to make one.
struct CalculatorKind {
    const QMetaObject* form;
    CalculatorScreen* (*create)();
};

template<class Screen> constexpr CalculatorKind Calculator()
{
    return {&Screen::staticMetaObject, []() -> CalculatorScreen* { return new Screen; }};
}

namespace Navigation {

// Shows a calculator: created and initialised before it is first drawn, or
// brought forward when it is already open.
QWidget* ShowCalculator(const CalculatorKind& kind);

// Shows the menu, creating a fresh one when none is open.
QWidget* ShowMenu();

// Shows the version screen beside whatever is open, or brings it forward.
QWidget* ShowVersion();

// Unloads a window: it closes and is destroyed once control returns to the
// event loop. The program ends when its last window has gone.
void Unload(QWidget* window);

// Ends the program at once, with every window, running no screen's code.
void EndProgram();

} // namespace Navigation
