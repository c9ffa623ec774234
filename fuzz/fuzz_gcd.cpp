// SPDX-License-Identifier: MIT
// The greatest common divisor of any two numbers.

#include "fuzz_input.h"
#include "gcd.h"

#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const double first = in.Number();
    const double second = in.Number();
    RunAllowingFault([&] {
        const auto outcome = Kouyaku(first, second);
        if (const auto* g = std::get_if<std::int32_t>(&outcome)) {
            // A divisor of both, and at least 1.
            const auto a = static_cast<std::int64_t>(first), b = static_cast<std::int64_t>(second);
            if (*g < 1 || a % *g != 0 || b % *g != 0)
                std::abort();
        }
    });
    return 0;
}
