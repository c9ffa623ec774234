// SPDX-License-Identifier: MIT
// The triangle's area from any six box texts, and each area formula on any numbers.

#include "fuzz_input.h"
#include "triangle.h"

#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::array<std::string, 3> txtH{in.Text(), in.Text(), in.Text()};
    const std::array<std::string, 3> txtK{in.Text(), in.Text(), in.Text()};
    Expect([&] {
        const auto outcome = Sankaku(txtH, txtK);
        if (const auto* area = std::get_if<double>(&outcome))
            RequireFinite(*area);
    });

    const double a = in.Number(), b = in.Number(), c = in.Number();
    Expect([&] { RequireFinite(HasamuKaku(a, b, c)); });
    Expect([&] { RequireFinite(HasamanaiKaku(a, b, c)); });
    Expect([&] { RequireFinite(RyoutanKaku(a, b, c)); });
    Expect([&] { RequireFinite(NotRyoutanKaku(a, b, c)); });
    Expect([&] { RequireFinite(Keisan({a, b, c}, {in.Number(), in.Number(), in.Number()})); });
    return 0;
}
