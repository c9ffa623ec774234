// SPDX-License-Identifier: MIT
#include "steps_roots.h"

std::optional<FactorWork> FactorOutRoot(const std::vector<GaussianRational>&, const std::string&)
{
    return std::nullopt;
}
