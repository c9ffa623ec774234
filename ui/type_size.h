// SPDX-License-Identifier: MIT
#pragma once

// The smallest type on any screen: raised exponents, small print and the
// digits of a drawn fraction stay readable at scale 1.
inline constexpr double kSmallestPointSize = 8.0;
