// SPDX-License-Identifier: MIT
#pragma once

#include "equation_screen.h"

// The roots of a cubic equation with complex coefficients.
class frm3ji final : public PolynomialScreen<3> {
    Q_OBJECT

public:
    frm3ji();

private:
    void Command3_Click();
};
