// SPDX-License-Identifier: MIT
#pragma once

// The exact calculations as the program reaches them. The exact library and
// the arithmetic libraries under it are large, and nothing of them is needed
// until a student first asks for an exact answer, so they live in a module of
// their own, loaded then (see ui/exact_library.cpp). The module hands out
// this table; its functions are the library's own (ExactRoots, ExactSolve, …
// in exact_equations.h and its neighbours) and take and give the plain C++
// types of exact_types.h.
//
// Those types cross the boundary by value, so the program and the module must
// agree on their layout exactly. A module left over from another build (an
// old file beside the program or under KALVORA_EXACT_MODULE, an upgrade while
// the program runs) would otherwise be called blindly. The table therefore
// starts with a stamp in plain C that the loader compares with its own before
// it touches anything else: any difference and the module is refused.

#include "complex.h"
#include "exact_steps.h"
#include "exact_types.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

// KALVORA_EXACT_LAYOUT: a hash of the text of this header, exact_types.h and exact_steps.h,
// computed by the build (exact/CMakeLists.txt). Any edit to the boundary gives
// a new value, with no one having to remember to count a version up.
#include "exact_layout.h"

extern "C" {

// Plain C: readable whatever the module's C++ types are. magic and size keep
// their places in every version, so the loader can always read that far.
struct ExactApiStamp {
    char magic[8]; // kExactApiMagic
    std::uint32_t size; // sizeof(ExactApiStamp)
    std::uint32_t version; // kExactApiVersion
    std::uint64_t layout; // KALVORA_EXACT_LAYOUT
    // What the compiler and its C++ library decide about the types passed.
    std::uint32_t tableSize; // sizeof(ExactApi)
    std::uint32_t pointerSize;
    std::uint32_t library; // 1 libstdc++, 2 libc++, 0 another
    std::uint32_t libraryAbi; // _GLIBCXX_USE_CXX11_ABI or _LIBCPP_ABI_VERSION
    std::uint32_t debugContainers; // _GLIBCXX_DEBUG: containers of another layout
    std::uint32_t stringSize;
    std::uint32_t stringAlign;
    std::uint32_t vectorSize;
    std::uint32_t optionalSize;
    std::uint32_t complexSize;
    std::uint32_t rootSize;
    std::uint32_t exactVectorSize;
    std::uint32_t exactMatrixSize;
    std::uint32_t stepsSize;
};

// What the module exports under kExactApiSymbol. It returns the table's stamp,
// or null when it has no table to give.
using ExactApiEntry = const ExactApiStamp* (*)();

} // extern "C"

// The table: the stamp first, then the library's functions.
struct ExactApi {
    ExactApiStamp stamp;
    std::vector<ExactRoot> (*roots)(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
    ExactVector (*solve)(const BoxRows& rows, const std::vector<std::string>& rhs);
    ExactText (*determinant)(const BoxRows& rows);
    ExactMatrix (*inverse)(const BoxRows& rows);
    ExactText (*sigma)(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu);
    ExactText (*triangleArea)(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);
    // The worked steps (exact_steps.h) of a calculation that showed results,
    // from the same boxes' texts: the greatest common divisor of the two
    // numbers, the equation's roots (`shown` as for roots), the Σ sum, the
    // simultaneous equations, the determinant, the inverse and the area.
    WorkedSteps (*gcdSteps)(const std::array<std::string, 2>& txtNum);
    WorkedSteps (*rootSteps)(const std::vector<CoefficientBoxes>& keisuu, const std::vector<Complex>& shown);
    WorkedSteps (*sigmaSteps)(std::int32_t first, std::int32_t last, const std::array<std::string, 4>& keisuu);
    WorkedSteps (*solveSteps)(const BoxRows& rows, const std::vector<std::string>& rhs);
    WorkedSteps (*determinantSteps)(const BoxRows& rows);
    WorkedSteps (*inverseSteps)(const BoxRows& rows);
    WorkedSteps (*triangleSteps)(const std::array<std::string, 3>& txtH, const std::array<std::string, 3>& txtK);
    // Frees the arithmetic's caches of the calling thread; a worker thread
    // calls it after its exact work.
    void (*releaseThreadCaches)();
};

// The loader reads the stamp through the entry's pointer and compares its
// bytes: the table must start with it, and the stamp must have no padding
// whose bytes could differ.
static_assert(std::is_standard_layout_v<ExactApi> && offsetof(ExactApi, stamp) == 0);
static_assert(std::has_unique_object_representations_v<ExactApiStamp>);

// The name the module exports its entry under.
inline constexpr char kExactApiSymbol[] = "KalvoraExactApi";

inline constexpr char kExactApiMagic[8] = {'K', 'a', 'l', 'v', 'E', 'x', 'a', 'c'};

// Counted up when the meaning of the table changes while its text does not.
inline constexpr std::uint32_t kExactApiVersion = 4;

// The stamp of this build: the module puts it first in its table, the loader
// compares the module's with it byte by byte.
inline constexpr ExactApiStamp kExactApiStamp = {
    {kExactApiMagic[0], kExactApiMagic[1], kExactApiMagic[2], kExactApiMagic[3], kExactApiMagic[4], kExactApiMagic[5],
        kExactApiMagic[6], kExactApiMagic[7]},
    sizeof(ExactApiStamp),
    kExactApiVersion,
    KALVORA_EXACT_LAYOUT,
    sizeof(ExactApi),
    sizeof(void*),
#if defined(__GLIBCXX__)
    1,
    _GLIBCXX_USE_CXX11_ABI,
#elif defined(_LIBCPP_VERSION)
    2,
    _LIBCPP_ABI_VERSION,
#else
    0,
    0,
#endif
#if defined(_GLIBCXX_DEBUG)
    1,
#else
    0,
#endif
    sizeof(std::string),
    alignof(std::string),
    sizeof(std::vector<std::string>),
    sizeof(std::optional<std::string>),
    sizeof(Complex),
    sizeof(ExactRoot),
    sizeof(ExactVector),
    sizeof(ExactMatrix),
    sizeof(WorkedSteps),
};
