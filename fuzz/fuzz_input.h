// SPDX-License-Identifier: MIT
#pragma once

// Turns a fuzzer's bytes into the numbers a calculator could receive from its
// boxes: always finite (ParseNumber never gives anything else), but otherwise
// anything — zeros of both signs, subnormals, the largest doubles, values whose
// squares overflow or underflow, and arbitrary bit patterns.

#include "outcome.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : data(data)
        , size(size)
    {
    }

    double Number()
    {
        static constexpr double kSpecial[] = {
            0.0,
            -0.0,
            1.0,
            -1.0,
            2.0,
            0.5,
            3.0,
            -3.0,
            10.0,
            1e-300,
            -1e-300,
            4.9e-324,
            -4.9e-324,
            2.2250738585072014e-308,
            1e-162,
            1e-155,
            1e154,
            -1e154,
            1.3e154,
            1e200,
            -1e200,
            1e300,
            std::numeric_limits<double>::max(),
            -std::numeric_limits<double>::max(),
            2147483647.0,
            2147483647.5,
            -2147483648.0,
            214.0,
            215.0,
            46341.0,
            1e10,
            90.0,
            180.0,
            360.0,
            30.0,
            -30.0,
            1e15,
            0.333333333333333,
            1e-16,
        };
        const std::uint8_t selector = Byte();
        if (selector < 128)
            return kSpecial[selector % (sizeof kSpecial / sizeof kSpecial[0])];
        if (selector < 192)
            return static_cast<double>(static_cast<std::int8_t>(Byte()));
        std::uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = bits << 8 | Byte();
        const double value = std::bit_cast<double>(bits);
        return std::isfinite(value) ? value : 0.0;
    }

    bool Flag() { return Byte() & 1; }

    // A whole number from 0 to limit - 1.
    int Below(int limit) { return (Byte() << 8 | Byte()) % limit; }

    // The text of a box: empty, a number written out in full, or raw bytes.
    std::string Text()
    {
        const std::uint8_t kind = Byte();
        if (kind < 32)
            return {};
        if (kind < 200) {
            char buffer[64];
            const auto end
                = std::to_chars(buffer, buffer + sizeof buffer, Number(), std::chars_format::general, 17).ptr;
            return {buffer, end};
        }
        std::string raw;
        for (std::uint8_t length = Byte() % 24; length > 0 && size > 0; --length)
            raw += static_cast<char>(Byte());
        return raw;
    }

private:
    std::uint8_t Byte()
    {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }

    const std::uint8_t* data;
    std::size_t size;
};

// A computation ends in one of three ways: a result of finite numbers, a
// rejection with a message, or an ArithmeticFault. Anything else — another
// exception, a non-finite number, a crash — is a bug the fuzzer reports.
inline void RequireFinite(double value)
{
    if (!std::isfinite(value))
        std::abort();
}

// Runs a computation and lets an ArithmeticFault pass as one of its proper
// ends; any other exception goes on to the fuzzer.
template<class Computation> void RunAllowingFault(Computation&& computation)
{
    try {
        computation();
    } catch (const ArithmeticFault&) {
    }
}
