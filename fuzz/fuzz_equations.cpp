// SPDX-License-Identifier: MIT
// The complex operations and the three equation solvers on any coefficients.

#include "complex.h"
#include "cubic.h"
#include "fuzz_input.h"
#include "quadratic.h"
#include "quartic.h"

#include <variant>

namespace {

Complex Number(FuzzInput& in)
{
    return Complex{in.Number(), in.Number()};
}

void RequireFinite(Complex z)
{
    ::RequireFinite(z.re);
    ::RequireFinite(z.im);
}

template<std::size_t N> void RequireRoots(const auto& outcome)
{
    if (const auto* roots = std::get_if<std::array<Complex, N>>(&outcome))
        for (const Complex& root : *roots)
            RequireFinite(root);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const Complex a = Number(in), b = Number(in);
    const double n = in.Flag() ? 0.5 : in.Flag() ? 0.333333333333333 : in.Number();
    RunAllowingFault([&] { RequireFinite(ComplexMul(a, b)); });
    RunAllowingFault([&] { RequireFinite(ComplexDiv(a, b)); });
    RunAllowingFault([&] { ::RequireFinite(ComplexAbs(a)); });
    RunAllowingFault([&] { RequireFinite(ComplexPow(a, n)); });

    std::array<Complex, 5> k{};
    for (Complex& coefficient : k)
        coefficient = in.Flag() ? Complex{} : Number(in);
    RunAllowingFault([&] { RequireRoots<2>(Solve2ji({k[0], k[1], k[2]})); });
    RunAllowingFault([&] { RequireRoots<3>(Solve3ji({k[0], k[1], k[2], k[3]})); });
    RunAllowingFault([&] { RequireRoots<4>(Solve4ji(k)); });
    return 0;
}
