// SPDX-License-Identifier: MIT
#pragma once

#include "calculator_screen.h"

#include <array>

class QLabel;
class QLineEdit;

// The greatest common divisor of two positive integers.
class frmKouyaku final : public CalculatorScreen {
    Q_OBJECT

public:
    frmKouyaku();

private:
    void Init() override;
    void Command1_Click();

    std::array<QLineEdit*, 2> txtNum{};
    QLabel* lblAnswer;
};
