// SPDX-License-Identifier: MIT
// The loadable module: the exact library behind one exported table, whose
// stamp says which build of the boundary it was made for.
#include "exact_api.h"
#include "exact_equations.h"
#include "exact_linalg.h"
#include "exact_sigma.h"
#include "exact_triangle.h"
#include "worked_steps.h"

#include <flint/flint.h>

#include <string_view>

namespace {

// FLINT keeps caches per thread and frees them only when asked.
void ReleaseThreadCaches()
{
    flint_cleanup();
}

} // namespace

extern "C" __attribute__((visibility("default"))) const ExactApiStamp* KalvoraExactApi()
{
    // The function pointers must have exactly the table's types: a library
    // function whose signature drifted from the table fails to compile here.
    static constexpr ExactApi api{kExactApiStamp, &ExactRoots, &ExactSolve, &ExactDeterminant, &ExactInverse,
        &ExactSigma, &ExactTriangleArea, &GcdSteps, &RootSteps, &SigmaSteps, &SolveSteps, &DeterminantSteps,
        &InverseSteps, &TriangleSteps, &ReleaseThreadCaches};
    static_assert(std::string_view(kExactApiSymbol) == __func__, "the loader looks the entry up by this name");
    return &api.stamp;
}
