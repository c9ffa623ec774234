// SPDX-License-Identifier: MIT
#pragma once

#include "navigation.h"

#include <QWidget>

#include <span>

class QLabel;

// A button of the menu and where it stands in the 4 × 3 grid. The nine
// calculator buttons say which calculator they open; the version and end
// buttons have no calculator.
struct MenuButton {
    const char* name;
    const char* text;
    int row;
    int column;
    int columnSpan;
    CalculatorKind calculator;
};

// The menu's buttons in reading order, which is also the keyboard order.
std::span<const MenuButton> MenuButtons();

// The main menu: the title banner and eleven buttons, nine of which open a
// calculator in place of the menu.
class frmOpening : public QWidget {
    Q_OBJECT

public:
    frmOpening();

private:
    void OpenCalculator(const CalculatorKind& calculator);
    void cmdVersion_Click();
    void cmdEnd_Click();

    QLabel* Image1;
};
