// SPDX-License-Identifier: MIT
#pragma once

#include "navigation.h"

#include <QWidget>

#include <span>

class QGridLayout;
class QLabel;
class QPushButton;

// What a button of the menu does when clicked.
enum class MenuAction {
    OpenCalculator, // its calculator in place of the menu
    ShowVersion, // the version screen beside the menu
    EndProgram, // the farewell, then the end of the program
};

// A button of the menu, where it stands in the 4 × 3 grid and what it does.
// The nine calculator buttons say which calculator they open; the version and
// end buttons have no calculator.
struct MenuButton {
    const char* name;
    const char* text;
    int row;
    int column;
    int columnSpan = 1;
    CalculatorKind calculator{};
    MenuAction action = MenuAction::OpenCalculator;
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
    QGridLayout* CreateButtons();
    void LayOut(QGridLayout* buttons);
    void Click(const MenuButton& button);
    void OpenCalculator(const CalculatorKind& calculator);
    void cmdVersion_Click();
    void cmdEnd_Click();

    QLabel* Image1;
};
