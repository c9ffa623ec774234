// SPDX-License-Identifier: MIT
#pragma once

// Seeded random numbers and the boxes' texts the random tests type: each
// suite adds the kinds of input its calculator needs.

#include <random>
#include <string>

class RandomTexts {
public:
    explicit RandomTexts(unsigned seed)
        : random_(seed)
    {
    }

    // A whole number from `from` to `to`, both included.
    long Whole(long from, long to) { return std::uniform_int_distribution<long>(from, to)(random_); }

    // A whole number from 1 to `size`, either sign.
    long NonZero(long size) { return Whole(1, size) * (Whole(0, 1) ? 1 : -1); }

    // A decimal of 15 significant digits, either sign, its point after any
    // of the first 14 digits: "-1234.56789012345".
    std::string Fifteen()
    {
        std::string digits = std::to_string(Whole(100000000, 999999999)) + std::to_string(Whole(100000, 999999));
        digits.insert(digits.begin() + Whole(1, 14), '.');
        return (Whole(0, 1) ? "-" : "") + digits;
    }

protected:
    std::mt19937 random_;
};
