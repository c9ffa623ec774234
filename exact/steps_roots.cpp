// SPDX-License-Identifier: MIT
#include "steps_roots.h"

WorkedSteps RootSteps(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown)
{
    switch (keisuu.size()) {
    case 3: return QuadraticSteps(keisuu, shown);
    case 4: return CubicSteps(keisuu, shown);
    case 5: return QuarticSteps(keisuu, shown);
    default: return {};
    }
}
