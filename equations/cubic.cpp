// SPDX-License-Identifier: MIT
#include "cubic.h"

#include "cardano.h"

#include <cmath>

Outcome<std::array<Complex, 3>> Solve3ji(std::array<Complex, 4> Keisuu)
{
    if (IsZero(Keisuu[0]))
        return Rejection{k3jiMessage, {}};

    std::array<Complex, 3> Kai{};
    if (IsZero(Keisuu[1]) && IsZero(Keisuu[2]) && IsZero(Keisuu[3]))
        return Kai; // a·x³ = 0: three exact zeros

    for (int i = 1; i <= 3; ++i)
        Keisuu[i] = ComplexDiv(Keisuu[i], Keisuu[0]);
    const Complex b = Keisuu[1];
    const CardanoTerms t = Cardano(b, Keisuu[2], Keisuu[3]);
    if (IsZero(t.u))
        throw ArithmeticFault(); // v = −p/(3u) divides by zero; the cubic reports it

    // ω² is formed as ω·ω, so it carries that product's rounding rather than
    // being the exact conjugate of ω.
    const Complex omega{-0.5, std::sqrt(3.0) * 0.5};
    const Complex s = ComplexScale(kOneThird, b);
    const Complex omega2 = ComplexMul(omega, omega);
    Kai[0] = ComplexAdd(t.u, ComplexSub(t.v, s));
    Kai[1] = ComplexAdd(ComplexMul(omega, t.u), ComplexSub(ComplexMul(omega2, t.v), s));
    Kai[2] = ComplexAdd(ComplexMul(omega2, t.u), ComplexSub(ComplexMul(omega, t.v), s));
    return Kai;
}
