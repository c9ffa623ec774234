// SPDX-License-Identifier: MIT
#pragma once

#include "calculator_screen.h"

class QGridLayout;
class QLabel;
class QLayout;
class QLineEdit;

// The sum of a cubic polynomial in K over a range of whole numbers, laid out
// as the formula is written by hand.
class frmSiguma final : public CalculatorScreen {
    Q_OBJECT

public:
    frmSiguma();

private:
    void LayOut();
    void SigmaSign(QGridLayout* body);
    QLayout* Polynomial();
    QLayout* Result();
    void SetKeyboardOrder();
    void Init() override;
    void cmdKeisan_Click();

    QLineEdit* txtLast;
    QLineEdit* txtFirst;
    QLineEdit* txt3jou;
    QLineEdit* txt2jou;
    QLineEdit* txt1jou;
    QLineEdit* txt0jou;
    QLabel* lblAnswer;
};
