// SPDX-License-Identifier: MIT
#pragma once

// The exact calculations as the program reaches them. The exact library and
// the arithmetic libraries under it are large, and nothing of them is needed
// until a student first asks for an exact answer, so they live in a module of
// their own, loaded then (see the user interface's ExactLibrary()). The module
// hands out this table; its types are the library's plain C++ ones.

#include "exact_equations.h"
#include "exact_linalg.h"
#include "exact_sigma.h"
#include "exact_text.h"
#include "exact_triangle.h"

struct ExactApi {
    decltype(&ExactRoots) roots;
    decltype(&ExactSolve) solve;
    decltype(&ExactDeterminant) determinant;
    decltype(&ExactInverse) inverse;
    decltype(&ExactSigma) sigma;
    decltype(&ExactTriangleArea) triangleArea;
};

// The name the module exports its table under.
inline constexpr char kExactApiSymbol[] = "KalvoraExactApi";
extern "C" const ExactApi* KalvoraExactApi();
