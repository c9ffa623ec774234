// SPDX-License-Identifier: MIT
#pragma once

// Complex numbers as the equation solvers compute with them. Every root and
// every power is taken by ComplexPow in polar form with its own angle
// convention (angles in [0, 2π), measured with a half turn of 3.14159265358979):
// that convention decides which square and cube roots the solvers obtain, and
// with them which root appears in which row. It also leaves residues of the
// order of 1e-15 in results that are exact on paper; they are part of what the
// solvers show.
//
// No operation returns an infinity or a NaN: a zero divisor, a value beyond
// the double range (also in an intermediate such as a squared modulus) or an
// invalid operation raises ArithmeticFault. Underflow is not a fault.

struct Complex {
    double re = 0;
    double im = 0;

    friend bool operator==(const Complex&, const Complex&) = default;
};

// Exactly zero in both parts; there is no tolerance.
inline bool IsZero(Complex z)
{
    return z.re == 0 && z.im == 0;
}

// The angle constants: a half turn written with fifteen significant digits and
// the quarter, three-quarter and full turns formed from it.
inline constexpr double kHalfTurn = 3.14159265358979;
inline constexpr double kQuarterTurn = 1.570796326794895;
inline constexpr double kThreeQuarterTurn = 4.712388980384685;
inline constexpr double kFullTurn = 6.28318530717958;

Complex ComplexAdd(Complex a, Complex b);
Complex ComplexSub(Complex a, Complex b);
Complex ComplexMul(Complex a, Complex b);
// A real number times a complex number; the scalar comes first.
Complex ComplexScale(double k, Complex z);
// a / b through the conjugate of b, without scaling against overflow.
Complex ComplexDiv(Complex a, Complex b);
Complex ComplexNeg(Complex z);
Complex ComplexConj(Complex z);
// The modulus, without scaling against overflow.
double ComplexAbs(Complex z);
// z to the real power n in polar form: the modulus to the n-th power, the
// argument (in [0, 2π)) times n. Zero to any power is zero.
Complex ComplexPow(Complex z, double n);
