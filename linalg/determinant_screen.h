// SPDX-License-Identifier: MIT
#pragma once

#include "matrix_screen.h"

class QLabel;
class QLayout;

// The determinant of a matrix of order 2 to 5, typed between two vertical
// bars as it is written, with three decimals after "=".
class frmGyouretusiki final : public MatrixScreen {
    Q_OBJECT

public:
    frmGyouretusiki();

private:
    void LayOut();
    QLayout* BoxesBetweenBars();
    QLayout* Result();
    void SetKeyboardOrder();
    void Init() override;
    void Command3_Click();

    QLabel* lblAns;
};
