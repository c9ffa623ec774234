// SPDX-License-Identifier: MIT
// The simultaneous equations' steps: 加減法 as a high-school textbook solves
// two or three unknowns, 掃き出し法 on the augmented matrix for more.
#include "steps_elimination.h"
#include "steps_sweep.h"
#include "worked_steps.h"

WorkedSteps SolveSteps(const BoxRows& rows, const std::vector<std::string>& rhs)
{
    return rows.size() <= 3 ? EliminationSteps(rows, rhs) : SweepSolveSteps(rows, rhs);
}
