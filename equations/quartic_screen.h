// SPDX-License-Identifier: MIT
#pragma once

#include "equation_screen.h"

// The roots of a quartic equation with complex coefficients.
class frm4ji final : public PolynomialScreen<4> {
    Q_OBJECT

public:
    frm4ji();

private:
    void Command3_Click();
};
