// SPDX-License-Identifier: MIT
#include "quartic.h"

#include "cardano.h"
#include "polish.h"

#include <cmath>

namespace {

// Distances for choosing between the two signs of HeihouS; they are compared,
// never shown (an infinite one still compares), so the choice adds no fault of
// its own.
double Distance(Complex a, Complex b)
{
    return std::hypot(a.re - b.re, a.im - b.im);
}

// The general case, on the normalised equation x⁴ + a3·x³ + a2·x² + a1·x + a0.
std::array<Complex, 4> Ferrari(Complex a3, Complex a2, Complex a1, Complex a0)
{
    const Complex SanjiA = ComplexNeg(a2);
    const Complex SanjiB = ComplexSub(ComplexMul(a3, a1), ComplexScale(4, a0));
    const Complex SanjiC
        = ComplexSub(ComplexAdd(ComplexNeg(ComplexMul(ComplexMul(a3, a3), a0)), ComplexMul(ComplexScale(4, a2), a0)),
            ComplexMul(a1, a1));
    const Complex SanjiKai = Cardan(SanjiA, SanjiB, SanjiC);
    const Complex y = SanjiKai;

    const Complex HeihouR = ComplexPow(ComplexSub(ComplexAdd(y, ComplexScale(0.25, ComplexMul(a3, a3))), a2), 0.5);
    // Both signs of this square root satisfy its square, but only one makes
    // the two factors multiply back to the equation: the one with
    // 2·HeihouR·HeihouS = 0.5·a3·y − a1. Which sign ComplexPow gives HeihouR
    // can turn on a rounding residue, so HeihouS is matched to it rather than
    // taken as it comes. A tie (HeihouR = 0) keeps the square root as taken.
    Complex HeihouS = ComplexPow(ComplexSub(ComplexScale(0.25, ComplexMul(y, y)), a0), 0.5);
    const Complex target = ComplexSub(ComplexScale(0.5, ComplexMul(a3, y)), a1);
    const Complex twice = ComplexScale(2, ComplexMul(HeihouR, HeihouS));
    if (Distance(ComplexNeg(twice), target) < Distance(twice, target))
        HeihouS = ComplexNeg(HeihouS);

    const Complex halfA3 = ComplexScale(0.5, a3);
    const Complex halfY = ComplexScale(0.5, y);
    const std::array<Complex, 2> Inshi1{ComplexAdd(halfA3, HeihouR), ComplexAdd(halfY, HeihouS)};
    const std::array<Complex, 2> Inshi2{ComplexSub(halfA3, HeihouR), ComplexSub(halfY, HeihouS)};

    const std::array<Complex, 2> HeihouD{
        ComplexPow(ComplexSub(ComplexMul(Inshi1[0], Inshi1[0]), ComplexScale(4, Inshi1[1])), 0.5),
        ComplexPow(ComplexSub(ComplexMul(Inshi2[0], Inshi2[0]), ComplexScale(4, Inshi2[1])), 0.5)};

    return {
        ComplexScale(0.5, ComplexAdd(ComplexNeg(Inshi1[0]), HeihouD[0])),
        ComplexScale(0.5, ComplexSub(ComplexNeg(Inshi1[0]), HeihouD[0])),
        ComplexScale(0.5, ComplexAdd(ComplexNeg(Inshi2[0]), HeihouD[1])),
        ComplexScale(0.5, ComplexSub(ComplexNeg(Inshi2[0]), HeihouD[1])),
    };
}

} // namespace

Outcome<std::array<Complex, 4>> Solve4ji(std::array<Complex, 5> Keisuu)
{
    if (IsZero(Keisuu[0]))
        return Rejection{k4jiMessage, {}};

    std::array<Complex, 4> Kai{};
    if (IsZero(Keisuu[1]) && IsZero(Keisuu[2]) && IsZero(Keisuu[3]) && IsZero(Keisuu[4]))
        return Kai; // a·x⁴ = 0
    if (IsZero(Keisuu[2]) && IsZero(Keisuu[3]) && IsZero(Keisuu[4])) {
        // a·x⁴ + b·x³ = x³·(a·x + b): nothing is normalised here.
        Kai[0] = ComplexNeg(ComplexDiv(Keisuu[1], Keisuu[0]));
        return Kai;
    }

    for (int i = 1; i <= 4; ++i)
        Keisuu[i] = ComplexDiv(Keisuu[i], Keisuu[0]);
    // Ferrari's roots carry the rounding of every step before them (a root of
    // the resolvent that makes HeihouR the square root of a residue costs half
    // the digits); each is refined on the equation itself, row by row.
    return PolishQuartic(
        {Keisuu[1], Keisuu[2], Keisuu[3], Keisuu[4]}, Ferrari(Keisuu[1], Keisuu[2], Keisuu[3], Keisuu[4]));
}
