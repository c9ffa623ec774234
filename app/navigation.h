// SPDX-License-Identifier: MIT
#pragma once

// Which windows exist and how the user moves between them. Every screen kind
// exists at most once; a screen is created when it is first shown and destroyed
// when it is unloaded.

#include <QString>

#include <functional>

class QWidget;
class CalculatorScreen;

using ScreenFactory = std::function<CalculatorScreen*()>;

// Makes a calculator reachable from the menu button `menuButton`. Each
// calculator's screen file registers itself; the menu enables exactly the
// buttons whose calculator is registered.
bool RegisterCalculator(const QString& menuButton, const QString& formName, ScreenFactory create);

template<class Screen> bool RegisterCalculator(const char* menuButton)
{
    return RegisterCalculator(QString::fromLatin1(menuButton),
        QString::fromLatin1(Screen::staticMetaObject.className()), [] { return new Screen; });
}

namespace Navigation {

// True when a calculator is registered for this menu button.
bool HasCalculator(const QString& menuButton);

// Shows the calculator of a menu button: created and initialised before it is
// first drawn, or brought forward when it is already open.
QWidget* ShowCalculator(const QString& menuButton);

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
