// SPDX-License-Identifier: MIT
// The sigma sum of any box texts, and its closed form for any range it accepts.

#include "fuzz_input.h"
#include "sigma.h"

#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::string first = in.Text(), last = in.Text();
    const std::array<std::string, 4> keisuu{in.Text(), in.Text(), in.Text(), in.Text()};
    RunAllowingFault([&] {
        const auto outcome = Siguma(first, last, keisuu);
        if (const auto* sum = std::get_if<double>(&outcome))
            RequireFinite(*sum);
    });

    std::array<std::int32_t, 2> Hani{in.Below(kLargestLast + 1), in.Below(kLargestLast + 1)};
    if (Hani[0] > Hani[1])
        std::swap(Hani[0], Hani[1]);
    const std::array<double, 4> Keisuu{in.Number(), in.Number(), in.Number(), in.Number()};
    RunAllowingFault([&] { RequireFinite(Keisan(Hani, Keisuu)); });
    return 0;
}
