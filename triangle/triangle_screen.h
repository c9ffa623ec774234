// SPDX-License-Identifier: MIT
#pragma once

#include "calculator_screen.h"

#include <array>

class QLabel;
class QLineEdit;
class QWidget;

// The area of a triangle from the sides and angles the student knows, typed
// into boxes placed around a drawn triangle.
class frmSankaku final : public CalculatorScreen {
    Q_OBJECT

public:
    frmSankaku();

private:
    QWidget* MakeFigure();
    void Init() override;
    void cmdKeisan_Click();

    std::array<QLineEdit*, 3> txtH{};
    std::array<QLineEdit*, 3> txtK{};
    QLabel* lblAnswer;
};
