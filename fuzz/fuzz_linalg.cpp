// SPDX-License-Identifier: MIT
// Simultaneous equations, determinant and inverse of any matrix of order 2 to 5.

#include "determinant.h"
#include "fuzz_input.h"
#include "inverse.h"
#include "simultaneous.h"

#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const int Gen = 2 + in.Below(4);
    Matrix Gyouretu{};
    Vector Teisuu{};
    for (int i = 1; i <= Gen; ++i) {
        for (int j = 1; j <= Gen; ++j)
            Gyouretu[i][j] = in.Flag() ? 0.0 : in.Number();
        Teisuu[i] = in.Number();
    }
    RunAllowingFault([&] {
        const auto outcome = Renritu(Gyouretu, Teisuu, Gen);
        if (const auto* Kai = std::get_if<Vector>(&outcome))
            for (int j = 1; j <= Gen; ++j)
                RequireFinite((*Kai)[j]);
    });
    RunAllowingFault([&] { RequireFinite(Gyouretusiki(Gyouretu, Gen)); });
    RunAllowingFault([&] {
        const auto outcome = Gyakugyouretu(Gyouretu, Gen);
        if (const auto* Gyaku = std::get_if<Matrix>(&outcome))
            for (int i = 1; i <= Gen; ++i)
                for (int j = 1; j <= Gen; ++j)
                    RequireFinite((*Gyaku)[i][j]);
    });
    return 0;
}
