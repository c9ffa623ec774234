// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

// The main menu: the title banner and eleven buttons, nine of which open a
// calculator in place of the menu.
class frmOpening : public QWidget {
    Q_OBJECT

public:
    frmOpening();

private:
    void OpenCalculator(const QString& menuButton);
    void cmdVersion_Click();
    void cmdEnd_Click();

    QLabel* Image1;
};
