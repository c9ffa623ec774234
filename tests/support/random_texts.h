// SPDX-License-Identifier: MIT
#pragma once

// Seeded random numbers and the boxes' texts the random tests type: the
// common kinds here, and each suite adds the ones its calculator needs.

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

    // A box's text of a kind: 0 a whole number from -9 to 9, 1 a short
    // decimal ("-42.7"), 2 a 15-digit decimal, 3 a huge or tiny number
    // ("3e-57"), and anything else an empty box. The exact checks evaluate
    // every formula in algebraic numbers, whose work grows quickly with their
    // size: huge and tiny numbers stay within 1e±60.
    std::string Number(int kind)
    {
        switch (kind) {
        case 0: return std::to_string(Whole(-9, 9));
        case 1: return std::to_string(Whole(-99, 99)) + "." + std::to_string(Whole(0, 99));
        case 2: return Fifteen();
        case 3: return std::to_string(Whole(1, 9)) + "e" + std::to_string(Whole(-60, 60));
        default: return "";
        }
    }

protected:
    std::mt19937 random_;
};
