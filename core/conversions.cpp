// SPDX-License-Identifier: MIT
#include "conversions.h"

#include "outcome.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// ---------------------------------------------------------------- reading

// Format characters show nothing: zero-width space, non-joiner and joiner,
// the direction marks, embeddings, overrides and isolates, the word joiner and
// the invisible operators, and the byte-order mark. Text pasted from a web page
// or a document carries them unseen, so they read as blanks.
bool IsFormatCharacter(char32_t code)
{
    return (code >= U'\u200B' && code <= U'\u200F') || (code >= U'\u202A' && code <= U'\u202E')
        || (code >= U'\u2060' && code <= U'\u2064') || (code >= U'\u2066' && code <= U'\u2069') || code == U'\uFEFF';
}

// One character of the input, decoded from UTF-8 and folded to the ASCII
// character it stands for. Full-width forms typed through a Japanese input
// method count as their ASCII twins; anything else that cannot take part in a
// number comes back as '\x01', which ends the number.
struct Reader {
    std::string_view text;
    std::size_t pos = 0;

    char next()
    {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
        const unsigned char lead = byte(pos);
        if (lead < 0x80) {
            ++pos;
            return static_cast<char>(lead);
        }
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length == 1 || pos + length > text.size()) {
            ++pos;
            return '\x01';
        }
        char32_t code = lead & (0x3F >> (length - 1));
        for (std::size_t i = 1; i < length; ++i) {
            if ((byte(pos + i) & 0xC0) != 0x80) {
                ++pos;
                return '\x01';
            }
            code = (code << 6) | (byte(pos + i) & 0x3F);
        }
        pos += length;
        if (code >= U'０' && code <= U'９')
            return static_cast<char>('0' + (code - U'０'));
        if (IsFormatCharacter(code))
            return ' ';
        switch (code) {
        case U'．':
        case U'。': // the full stop a Japanese input method gives for "." in kana mode
        case U'｡': return '.';
        case U'＋': return '+';
        case U'－':
        case U'−':
        case U'ー': // the long-vowel mark it gives for "-" in kana mode
        case U'ｰ': return '-';
        case U'Ｅ':
        case U'ｅ': return 'e';
        case U'\u3000': return ' ';
        default: return '\x01';
        }
    }

    bool atEnd() const { return pos >= text.size(); }
};

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

ScannedNumber ScanNumber(std::string_view text)
{
    enum class State { Start, Integer, Fraction, ExponentStart, Exponent };
    ScannedNumber s;
    Reader in{text};
    State state = State::Start;
    bool signSeen = false;
    // An exponent mark is only part of the number once a digit follows it.
    std::string pendingSign;

    while (!in.atEnd()) {
        const char c = in.next();
        if (IsBlank(c))
            continue;
        switch (state) {
        case State::Start:
            if ((c == '+' || c == '-') && !signSeen) {
                signSeen = true;
                s.negative = c == '-';
                continue;
            }
            if (IsDigit(c)) {
                s.integerDigits += c;
                state = State::Integer;
                continue;
            }
            if (c == '.') {
                state = State::Fraction;
                continue;
            }
            return s;
        case State::Integer:
        case State::Fraction:
            if (IsDigit(c)) {
                (state == State::Integer ? s.integerDigits : s.fractionDigits) += c;
                continue;
            }
            if (c == '.' && state == State::Integer) {
                state = State::Fraction;
                continue;
            }
            if (c == 'e' || c == 'E') {
                if (s.integerDigits.empty() && s.fractionDigits.empty())
                    return s;
                state = State::ExponentStart;
                continue;
            }
            return s;
        case State::ExponentStart:
            if ((c == '+' || c == '-') && pendingSign.empty()) {
                pendingSign = c;
                continue;
            }
            if (IsDigit(c)) {
                s.exponentNegative = pendingSign == "-";
                s.exponentDigits += c;
                state = State::Exponent;
                continue;
            }
            return s;
        case State::Exponent:
            if (IsDigit(c)) {
                s.exponentDigits += c;
                continue;
            }
            return s;
        }
    }
    return s;
}

long long ExponentValue(const ScannedNumber& s)
{
    long long value = 0;
    for (char c : s.exponentDigits) {
        value = value * 10 + (c - '0');
        if (value > kExponentLimit)
            break;
    }
    return s.exponentNegative ? -value : value;
}

namespace {

// ---------------------------------------------------------------- writing

// A double reduced to 15 significant digits: digits[0] stands at the place
// 10^exponent, digits[14] at 10^(exponent - 14).
struct Decimal15 {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

Decimal15 Reduce15(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    Decimal15 d;
    const char* p = buffer;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p != 'e'; ++p)
        if (IsDigit(*p))
            d.digits += *p;
    d.exponent = std::atoi(p + 1);
    return d;
}

std::string TrimLeadingZeros(std::string digits)
{
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

} // namespace

double ParseNumber(std::string_view text)
{
    const ScannedNumber s = ScanNumber(text);
    if (s.integerDigits.empty() && s.fractionDigits.empty())
        return 0.0;

    const std::string mantissa = s.integerDigits + s.fractionDigits;
    const auto firstNonZero = mantissa.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return s.negative ? -0.0 : 0.0;

    const long long exponent = ExponentValue(s);
    std::string normal = s.integerDigits.empty() ? "0" : s.integerDigits;
    normal += '.';
    normal += s.fractionDigits.empty() ? "0" : s.fractionDigits;
    normal += 'e';
    normal += std::to_string(exponent);

    double value = 0.0;
    const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // The place value of the first significant digit tells overflow from
        // underflow; only the former is a fault.
        const long long order
            = static_cast<long long>(s.integerDigits.size()) - 1 - static_cast<long long>(firstNonZero) + exponent;
        if (order > 0)
            throw ArithmeticFault();
        return s.negative ? -0.0 : 0.0;
    }
    if (error != std::errc())
        throw std::logic_error("ParseNumber: malformed normal form");
    return s.negative ? -value : value;
}

std::optional<std::int32_t> RoundToInt32(double value)
{
    // nearbyint rounds in the default mode, to nearest with ties to even.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::string FormatFixed(double value, std::string_view pattern)
{
    if (pattern.size() < 3 || pattern.substr(0, 2) != "0."
        || pattern.find_first_not_of('0', 2) != std::string_view::npos)
        throw std::invalid_argument("FormatFixed: unsupported pattern");
    const int decimals = static_cast<int>(pattern.size()) - 2;
    const Decimal15 d = Reduce15(Checked(value));

    // Lay the digits out by place, from the highest place down to 10^-decimals,
    // with one more place to decide the rounding.
    const int top = std::max(d.exponent, 0);
    const int bottom = -decimals - 1;
    std::string places;
    for (int place = top; place >= bottom; --place) {
        const int index = d.exponent - place;
        places += index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
    }
    const bool roundUp = places.back() >= '5';
    places.pop_back();
    if (roundUp) {
        int i = static_cast<int>(places.size()) - 1;
        for (; i >= 0 && places[i] == '9'; --i)
            places[i] = '0';
        if (i >= 0)
            ++places[i];
        else
            places.insert(places.begin(), '1');
    }

    const std::string integerPart = TrimLeadingZeros(places.substr(0, places.size() - decimals));
    const std::string fractionPart = places.substr(places.size() - decimals);
    const bool zero = places.find_first_not_of('0') == std::string::npos;
    return (d.negative && !zero ? "-" : "") + integerPart + "." + fractionPart;
}

std::string FormatGeneral(double value)
{
    if (Checked(value) == 0.0)
        return "0";
    Decimal15 d = Reduce15(value);
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last + 1);
    const std::string sign = d.negative ? "-" : "";

    if (d.exponent >= 15 || d.exponent < -4) {
        std::string mantissa = d.digits.substr(0, 1);
        if (d.digits.size() > 1) {
            mantissa += '.';
            mantissa += d.digits.substr(1);
        }
        char exponent[16];
        std::snprintf(exponent, sizeof exponent, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
        return sign + mantissa + exponent;
    }
    if (d.exponent < 0)
        return sign + "0." + std::string(-d.exponent - 1, '0') + d.digits;
    const auto integerLength = static_cast<std::size_t>(d.exponent) + 1;
    if (d.digits.size() <= integerLength)
        return sign + d.digits + std::string(integerLength - d.digits.size(), '0');
    return sign + d.digits.substr(0, integerLength) + "." + d.digits.substr(integerLength);
}
