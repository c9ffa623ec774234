// SPDX-License-Identifier: MIT
#pragma once

#include "equation_screen.h"

// The roots of a quadratic equation with complex coefficients.
class frm2ji final : public PolynomialScreen<2> {
    Q_OBJECT

public:
    frm2ji();

private:
    void Command3_Click();
};
