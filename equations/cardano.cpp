// SPDX-License-Identifier: MIT
#include "cardano.h"

#include <cmath>

namespace {

// Moduli for the cancellation test only; they are compared, never shown.
// std::hypot squares nothing, so the test adds no overflow of its own.
double Modulus(Complex z)
{
    return std::hypot(z.re, z.im);
}

} // namespace

CardanoTerms Cardano(Complex b, Complex c, Complex d)
{
    CardanoTerms t;
    t.p = ComplexSub(c, ComplexScale(kOneThird, ComplexMul(b, b)));
    // The cube of b in polar form, with its small residues.
    t.q = ComplexAdd(
        ComplexSub(d, ComplexScale(kOneThird, ComplexMul(b, c))), ComplexScale(kTwoTwentySevenths, ComplexPow(b, 3)));
    t.Hanbetusiki
        = ComplexAdd(ComplexScale(0.25, ComplexMul(t.q, t.q)), ComplexScale(kOneTwentySeventh, ComplexPow(t.p, 3)));

    // Take the sign that avoids cancellation as far as the real part of q
    // tells it. For q off the real axis (x³ − i = 0) or with a residue that
    // turns the square root to the other side of the cut (x³ − 6x² + 12x − 9
    // = 0), that sign can still cancel; then the other one is sound.
    const Complex half = ComplexScale(0.5, ComplexNeg(t.q));
    const Complex root = ComplexPow(t.Hanbetusiki, 0.5);
    const bool plus = t.q.re < 0;
    Complex w = plus ? ComplexAdd(half, root) : ComplexSub(half, root);
    if (Modulus(w) < kCancelled * (Modulus(t.q) / 2)) {
        const Complex other = plus ? ComplexSub(half, root) : ComplexAdd(half, root);
        if (Modulus(other) > Modulus(w))
            w = other;
    }

    t.u = ComplexPow(w, kOneThird);
    // u = 0 needs −q/2 ± √Hanbetusiki = 0 for the sign that avoids
    // cancellation, so q and p³ are zero: y = 0 solves y³ + p·y + q = 0 and
    // v = 0 gives it. Each solver decides what that case means for it.
    if (!IsZero(t.u))
        t.v = ComplexNeg(ComplexDiv(t.p, ComplexScale(3, t.u)));
    return t;
}

Complex Cardan(Complex SanjiA, Complex SanjiB, Complex SanjiC)
{
    const CardanoTerms t = Cardano(SanjiA, SanjiB, SanjiC);
    return ComplexAdd(t.u, ComplexSub(t.v, ComplexScale(kOneThird, SanjiA)));
}
