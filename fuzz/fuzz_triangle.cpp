// SPDX-License-Identifier: MIT
// The triangle's area from any six box texts, and each area formula on any numbers.

#include "fuzz_input.h"
#include "triangle.h"

#include <variant>

namespace {

// The area formulas end in a finite area, no triangle, or an arithmetic fault.
template<class Formula> void Area(Formula&& formula)
{
    RunAllowingFault([&] {
        try {
            RequireFinite(formula());
        } catch (const NoTriangle&) {
        }
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::array<std::string, 3> txtH{in.Text(), in.Text(), in.Text()};
    const std::array<std::string, 3> txtK{in.Text(), in.Text(), in.Text()};
    RunAllowingFault([&] {
        const auto outcome = Sankaku(txtH, txtK);
        if (const auto* area = std::get_if<double>(&outcome))
            RequireFinite(*area);
    });

    const double a = in.Number(), b = in.Number(), c = in.Number();
    Area([&] { return HasamuKaku(a, b, c); });
    Area([&] { return HasamanaiKaku(a, b, c); });
    Area([&] { return RyoutanKaku(a, b, c); });
    Area([&] { return NotRyoutanKaku(a, b, c); });
    const std::array<double, 3> Kaku{in.Number(), in.Number(), in.Number()};
    Area([&] { return Keisan({a, b, c}, Kaku); });
    return 0;
}
