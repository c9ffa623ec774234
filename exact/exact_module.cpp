// SPDX-License-Identifier: MIT
// The loadable module: the exact library behind one exported table.
#include "exact_api.h"

extern "C" __attribute__((visibility("default"))) const ExactApi* KalvoraExactApi()
{
    static const ExactApi api{
        &ExactRoots, &ExactSolve, &ExactDeterminant, &ExactInverse, &ExactSigma, &ExactTriangleArea};
    return &api;
}
