// SPDX-License-Identifier: MIT
#pragma once

#include "matrix_screen.h"

#include <array>

class QLabel;
class QLayout;

// The inverse of a matrix of order 2 to 5: the matrix typed in parentheses
// with the exponent -1, "=", and the inverse in parentheses, every entry with
// three decimals.
class frmGyaku final : public MatrixScreen {
    Q_OBJECT

public:
    frmGyaku();

private:
    void CreateResults();
    void LayOut();
    QLayout* Formula();
    QLayout* EqualsSign();
    void SetKeyboardOrder();
    void Init() override;
    QString ResultsText() const override;
    void Command3_Click();

    std::array<QLabel*, 26> lblAns{}; // 1 .. 25, numbered like txtNum
};
