// SPDX-License-Identifier: MIT
#pragma once

#include "matrix_screen.h"

#include <array>

class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;

// A system of 2 to 5 linear equations in the unknowns A to E, written out as
// equations: box A+ box B+ … box E= box. Each unknown is shown with six
// decimals.
class frmRenritu final : public MatrixScreen {
    Q_OBJECT

public:
    frmRenritu();

private:
    void LayOut();
    QGridLayout* Equations();
    QGridLayout* Answers();
    void SetKeyboardOrder();
    void Init() override;
    QString ResultsText() const override;
    void Command3_Click();

    std::array<QLineEdit*, 6> txtNumA{}; // right-hand sides 1 .. 5
    std::array<QLabel*, 6> lblAnswer{}; // values of A .. E as 1 .. 5
    QLabel* lblExactNote = nullptr;
};
