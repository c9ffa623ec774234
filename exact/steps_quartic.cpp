// SPDX-License-Identifier: MIT
#include "steps_roots.h"

WorkedSteps QuarticSteps(const std::vector<CoefficientBoxes>&, const std::vector<Complex>&)
{
    return {};
}
