// SPDX-License-Identifier: MIT
#include "complex.h"

#include "outcome.h"

#include <cmath>

namespace {

// Every part of every result passes through here, so a value beyond the
// double range is caught where it arises, not shown later as "inf".
Complex Make(double re, double im)
{
    return {Checked(re), Checked(im)};
}

// The argument of a nonzero z in [0, 2π), by quadrant. The quotient im / re
// is formed first; one that underflows to zero counts as a real number.
double Argument(Complex z)
{
    if (z.re == 0)
        return z.im > 0 ? kQuarterTurn : kThreeQuarterTurn;
    if (z.im == 0)
        return z.re > 0 ? 0 : kHalfTurn;
    const double t = Checked(z.im / z.re);
    if (t > 0)
        return z.re > 0 ? std::atan(t) : std::atan(t) + kHalfTurn;
    if (t < 0)
        return z.re < 0 ? std::atan(t) + kHalfTurn : std::atan(t) + kFullTurn;
    return z.re > 0 ? 0 : kHalfTurn;
}

} // namespace

Complex ComplexAdd(Complex a, Complex b)
{
    return Make(a.re + b.re, a.im + b.im);
}

Complex ComplexSub(Complex a, Complex b)
{
    return Make(a.re - b.re, a.im - b.im);
}

Complex ComplexMul(Complex a, Complex b)
{
    // An overflowing product makes the sum infinite or NaN, so checking the
    // sums catches it.
    return Make(a.re * b.re - b.im * a.im, a.im * b.re + b.im * a.re);
}

Complex ComplexScale(double k, Complex z)
{
    return Make(k * z.re, z.im * k);
}

Complex ComplexDiv(Complex a, Complex b)
{
    const Complex t = ComplexMul(a, ComplexConj(b));
    const double d = Checked(b.re * b.re + b.im * b.im);
    if (d == 0)
        throw ArithmeticFault();
    return Make(t.re / d, t.im / d);
}

Complex ComplexNeg(Complex z)
{
    return {-z.re, -z.im};
}

Complex ComplexConj(Complex z)
{
    return {z.re, -z.im};
}

double ComplexAbs(Complex z)
{
    return Checked(std::sqrt(Checked(z.re * z.re + z.im * z.im)));
}

Complex ComplexPow(Complex z, double n)
{
    if (IsZero(z))
        return {0, 0};
    const double r = ComplexAbs(z);
    const double theta = Argument(z);
    // A modulus that underflowed to zero cannot be raised to a negative power.
    const double rn = Checked(std::pow(r, n));
    const double angle = n * theta;
    return Make(rn * std::cos(angle), rn * std::sin(angle));
}
