// SPDX-License-Identifier: MIT
#include "quadratic.h"

Outcome<std::array<Complex, 2>> Solve2ji(std::array<Complex, 3> Keisuu)
{
    if (IsZero(Keisuu[0]))
        return Rejection{k2jiMessage, {}};
    const Complex a = Keisuu[0];
    const Complex b = Keisuu[1];
    const Complex c = Keisuu[2];

    const Complex Hanbetusiki = ComplexSub(ComplexMul(b, b), ComplexMul(ComplexScale(4, a), c));
    std::array<Complex, 2> Kai;
    if (!IsZero(Hanbetusiki)) {
        const Complex s = ComplexPow(Hanbetusiki, 0.5);
        Kai[0] = ComplexDiv(ComplexAdd(ComplexNeg(b), s), ComplexScale(2, a));
        Kai[1] = ComplexDiv(ComplexSub(ComplexNeg(b), s), ComplexScale(2, a));
    } else {
        // A double root.
        Kai[0] = ComplexDiv(ComplexNeg(b), ComplexScale(2, a));
        Kai[1] = Kai[0];
    }
    return Kai;
}
