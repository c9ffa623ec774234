// SPDX-License-Identifier: MIT
#include "exact_reading.h"

#include "conversions.h"
#include "surd_form.h"

std::optional<Rational> ReadExact(std::string_view boxText)
{
    // The scanner ParseNumber is built on: the same characters make the same
    // number in both readings.
    const ScannedNumber s = ScanNumber(boxText);
    std::string digits = s.integerDigits + s.fractionDigits;
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Rational(0);
    const auto last = digits.find_last_not_of('0');
    const auto trailingZeros = static_cast<long long>(digits.size() - 1 - last);
    digits = digits.substr(first, last + 1 - first);
    if (static_cast<long long>(digits.size()) > kMaxReadOrder)
        return std::nullopt;

    // Beyond the limit the exponent is saturated, and its number far out of
    // reach anyway.
    const long long exponent = ExponentValue(s);
    if (exponent > kExponentLimit || exponent < -kExponentLimit)
        return std::nullopt;
    // The value is digits × 10^scale; its first digit stands at 10^order.
    const long long scale = exponent - static_cast<long long>(s.fractionDigits.size()) + trailingZeros;
    const long long order = scale + static_cast<long long>(digits.size()) - 1;
    if (order > kMaxReadOrder || order < -kMaxReadOrder)
        return std::nullopt;

    Integer power;
    fmpz_ui_pow_ui(power.get(), 10, static_cast<ulong>(scale < 0 ? -scale : scale));
    const Integer mantissa(digits);
    Rational q = scale >= 0 ? Rational(mantissa, 1) * Rational(power, 1) : Rational(mantissa, power);
    return s.negative ? -q : q;
}

ExactText ExactBoxText(std::string_view boxText)
{
    const auto q = ReadExact(boxText);
    return q ? ExactTextOf(*q) : std::nullopt;
}

std::optional<std::vector<std::vector<Rational>>> ReadGrid(const BoxRows& boxes)
{
    const std::size_t n = boxes.size();
    if (n < 2 || n > 5)
        return std::nullopt;
    std::vector<std::vector<Rational>> m;
    for (const std::vector<std::string>& row : boxes) {
        if (row.size() != n)
            return std::nullopt;
        m.emplace_back();
        for (const std::string& text : row) {
            const auto q = ReadExact(text);
            if (!q)
                return std::nullopt;
            m.back().push_back(*q);
        }
    }
    return m;
}
