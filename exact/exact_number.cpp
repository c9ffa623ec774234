// SPDX-License-Identifier: MIT
#include "exact_number.h"

#include "conversions.h"

#include <algorithm>
#include <array>
#include <flint/fmpz_factor.h>
#include <flint/fmpz_poly.h>
#include <memory>

// ---------------------------------------------------------------- numbers

std::string Integer::text() const
{
    const std::unique_ptr<char, void (*)(void*)> s(fmpz_get_str(nullptr, 10, v_), flint_free);
    return s.get();
}

long Rational::bits() const
{
    return std::max(fmpz_bits(fmpq_numref(v_)), fmpz_bits(fmpq_denref(v_)));
}

Rational operator+(const Rational& a, const Rational& b)
{
    Rational r;
    fmpq_add(r.v_, a.v_, b.v_);
    return r;
}

Rational operator-(const Rational& a, const Rational& b)
{
    Rational r;
    fmpq_sub(r.v_, a.v_, b.v_);
    return r;
}

Rational operator*(const Rational& a, const Rational& b)
{
    Rational r;
    fmpq_mul(r.v_, a.v_, b.v_);
    return r;
}

Rational operator/(const Rational& a, const Rational& b)
{
    Rational r;
    fmpq_div(r.v_, a.v_, b.v_);
    return r;
}

Rational operator-(const Rational& a)
{
    Rational r;
    fmpq_neg(r.v_, a.v_);
    return r;
}

Algebraic operator+(const Algebraic& a, const Algebraic& b)
{
    Algebraic r;
    qqbar_add(r.v_, a.v_, b.v_);
    return r;
}

Algebraic operator-(const Algebraic& a, const Algebraic& b)
{
    Algebraic r;
    qqbar_sub(r.v_, a.v_, b.v_);
    return r;
}

Algebraic operator*(const Algebraic& a, const Algebraic& b)
{
    Algebraic r;
    qqbar_mul(r.v_, a.v_, b.v_);
    return r;
}

Algebraic operator/(const Algebraic& a, const Algebraic& b)
{
    Algebraic r;
    qqbar_div(r.v_, a.v_, b.v_);
    return r;
}

Algebraic SquareRoot(const Integer& n)
{
    Algebraic r;
    qqbar_set_fmpz(r.get(), n.get());
    qqbar_sqrt(r.get(), r.get());
    return r;
}

// ---------------------------------------------------------------- reading

std::optional<Rational> ReadExact(std::string_view boxText)
{
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

    long long exponent = 0;
    for (const char c : s.exponentDigits) {
        exponent = exponent * 10 + (c - '0');
        if (exponent > 1'000'000'000)
            return std::nullopt;
    }
    if (s.exponentNegative)
        exponent = -exponent;
    // The value is digits × 10^scale; its first digit stands at 10^order.
    const long long scale = exponent - static_cast<long long>(s.fractionDigits.size()) + trailingZeros;
    const long long order = scale + static_cast<long long>(digits.size()) - 1;
    if (order > kMaxReadOrder || order < -kMaxReadOrder)
        return std::nullopt;

    Rational q;
    fmpz_set_str(fmpq_numref(q.get()), digits.c_str(), 10);
    Integer power;
    fmpz_set_ui(power.get(), 10);
    fmpz_pow_ui(power.get(), power.get(), static_cast<ulong>(scale < 0 ? -scale : scale));
    if (scale >= 0)
        fmpz_mul(fmpq_numref(q.get()), fmpq_numref(q.get()), power.get());
    else
        fmpz_set(fmpq_denref(q.get()), power.get());
    fmpq_canonicalise(q.get());
    if (s.negative)
        fmpq_neg(q.get(), q.get());
    return q;
}

// ---------------------------------------------------------------- surd forms

namespace {

// Square roots beyond this size are not split into square and square-free
// parts: factoring could take long, and such a root has no short text anyway.
constexpr long kMaxRadicandBits = 160;

// n = s²·m with m square-free, for n > 0.
std::optional<std::pair<Integer, Integer>> SplitSquare(const Integer& n)
{
    if (fmpz_bits(n.get()) > kMaxRadicandBits)
        return std::nullopt;
    fmpz_factor_t factors;
    fmpz_factor_init(factors);
    fmpz_factor(factors, n.get());
    Integer s(1), m(1);
    for (slong k = 0; k < factors->num; ++k) {
        const fmpz* p = factors->p + k;
        const ulong e = factors->exp[k];
        Integer power;
        fmpz_pow_ui(power.get(), p, e / 2);
        fmpz_mul(s.get(), s.get(), power.get());
        if (e % 2 == 1)
            fmpz_mul(m.get(), m.get(), p);
    }
    fmpz_factor_clear(factors);
    return std::pair{s, m};
}

// a + k·b, merging the terms of equal m and dropping those that cancel.
SurdForm Combine(const SurdForm& a, const SurdForm& b, const Rational& k)
{
    SurdForm sum = a;
    for (const SurdTerm& t : b) {
        const auto at = std::find_if(sum.begin(), sum.end(), [&](const SurdTerm& u) { return u.m == t.m; });
        if (at != sum.end())
            at->c = at->c + k * t.c;
        else
            sum.push_back({k * t.c, t.m});
    }
    std::erase_if(sum, [](const SurdTerm& t) { return t.c.isZero(); });
    std::sort(sum.begin(), sum.end(), [](const SurdTerm& u, const SurdTerm& v) { return u.m < v.m; });
    return sum;
}

SurdForm RationalForm(const Rational& q)
{
    if (q.isZero())
        return {};
    return {{q, Integer(1)}};
}

Integer Coefficient(const Algebraic& x, slong k)
{
    Integer c;
    fmpz_poly_get_coeff_fmpz(c.get(), &x.get()->poly, k);
    return c;
}

Rational Ratio(const Integer& a, const Integer& b)
{
    Rational q;
    fmpq_set_fmpz_frac(q.get(), a.get(), b.get());
    return q;
}

// A real quadratic irrational from its minimal polynomial c2·x² + c1·x + c0:
// x = (−c1 ± √D) / (2·c2), the sign read from 2·c2·x + c1.
std::optional<SurdForm> QuadraticForm(const Algebraic& x)
{
    const Integer c0 = Coefficient(x, 0), c1 = Coefficient(x, 1), c2 = Coefficient(x, 2);
    Integer D, t;
    fmpz_mul(D.get(), c1.get(), c1.get());
    fmpz_mul(t.get(), c2.get(), c0.get());
    fmpz_submul_ui(D.get(), t.get(), 4);
    const auto split = SplitSquare(D);
    if (!split)
        return std::nullopt;
    Algebraic y;
    Integer twice;
    fmpz_mul_ui(twice.get(), c2.get(), 2);
    qqbar_mul_fmpq(y.get(), x.get(), Ratio(twice, Integer(1)).get());
    qqbar_add_fmpq(y.get(), y.get(), Ratio(c1, Integer(1)).get());
    Rational surd = Ratio(split->first, twice);
    if (qqbar_sgn_re(y.get()) < 0)
        surd = -surd;
    Integer minusC1;
    fmpz_neg(minusC1.get(), c1.get());
    return Combine(RationalForm(Ratio(minusC1, twice)), {{surd, split->second}}, Rational(1));
}

std::optional<SurdForm> UncheckedForm(const Algebraic& x);

// A real number x of degree 4 can only be in a field generated by square
// roots when its conjugates x₁…x₄ pair up so that (xᵢ + xⱼ)(xₖ + xₗ) is
// rational for all three pairings; with c the leading coefficient of the
// minimal polynomial, c²(xᵢ + xⱼ)(xₖ + xₗ) is then even an integer. A cheap
// test on enclosures that rules most numbers out before any exact work; false
// only when some pairing is certainly not an integer.
bool MayBeMultiQuadratic(const std::vector<Algebraic>& conjugates, const Integer& lead)
{
    // The products reach about 2^(4h) for minimal polynomials of height 2^h.
    const slong prec = 64 + 6 * qqbar_height_bits(conjugates[0].get());
    std::vector<acb_struct> z(conjugates.size());
    for (std::size_t k = 0; k < z.size(); ++k) {
        acb_init(&z[k]);
        qqbar_get_acb(&z[k], conjugates[k].get(), prec);
    }
    acb_t a, b;
    acb_init(a);
    acb_init(b);
    Integer nearest;
    bool possible = true;
    for (const auto& [i, j, k, l] : {std::array{0, 1, 2, 3}, std::array{0, 2, 1, 3}, std::array{0, 3, 1, 2}}) {
        acb_add(a, &z[static_cast<std::size_t>(i)], &z[static_cast<std::size_t>(j)], prec);
        acb_add(b, &z[static_cast<std::size_t>(k)], &z[static_cast<std::size_t>(l)], prec);
        acb_mul(a, a, b, prec);
        acb_mul_fmpz(a, a, lead.get(), prec);
        acb_mul_fmpz(a, a, lead.get(), prec);
        const bool realExcludesIntegers = mag_cmp_2exp_si(arb_radref(acb_realref(a)), -2) < 0
            && !arb_get_unique_fmpz(nearest.get(), acb_realref(a));
        if (!arb_contains_zero(acb_imagref(a)) || realExcludesIntegers)
            possible = false;
    }
    acb_clear(a);
    acb_clear(b);
    for (auto& w : z)
        acb_clear(&w);
    return possible;
}

// A number of degree n = 4 in a field generated by square roots: with σ over
// the field's automorphisms, each (x + σx)/2 lies in a field of half the
// degree, and their sum over σ ≠ 1 is ((n − 2)·x + n·a)/2 where a is the
// rational part, the mean of the conjugates.
std::optional<SurdForm> MultiQuadraticForm(const Algebraic& x)
{
    const slong n = x.degree();
    std::vector<Algebraic> conjugates(static_cast<std::size_t>(n));
    std::vector<qqbar_struct> raw(static_cast<std::size_t>(n));
    for (auto& c : raw)
        qqbar_init(&c);
    qqbar_conjugates(raw.data(), x.get());
    for (std::size_t k = 0; k < raw.size(); ++k) {
        qqbar_swap(conjugates[k].get(), &raw[k]);
        qqbar_clear(&raw[k]);
    }

    if (n == 4 && !MayBeMultiQuadratic(conjugates, Coefficient(x, n)))
        return std::nullopt;

    SurdForm sum;
    for (const Algebraic& y : conjugates) {
        if (y == x)
            continue;
        Algebraic half = x + y;
        qqbar_mul_fmpq(half.get(), half.get(), Rational(1, 2).get());
        if (half.degree() > n / 2)
            return std::nullopt;
        const auto part = UncheckedForm(half);
        if (!part)
            return std::nullopt;
        sum = Combine(sum, *part, Rational(1));
    }
    // a = −c_{n−1} / (n·c_n); x = (2·sum − n·a) / (n − 2).
    Integer top = Coefficient(x, n), next = Coefficient(x, n - 1);
    fmpz_neg(next.get(), next.get());
    const Rational a = Ratio(next, top) / Rational(n);
    const SurdForm twice = Combine({}, sum, Rational(2, n - 2));
    return Combine(twice, RationalForm(a), Rational(-n, n - 2));
}

std::optional<SurdForm> UncheckedForm(const Algebraic& x)
{
    if (!x.isReal())
        return std::nullopt;
    switch (x.degree()) {
    case 1: {
        Rational q;
        qqbar_get_fmpq(q.get(), x.get());
        return RationalForm(q);
    }
    case 2: return QuadraticForm(x);
    case 4: return MultiQuadraticForm(x);
    default: return std::nullopt;
    }
}

} // namespace

std::optional<SurdForm> ToSurdForm(const Algebraic& x)
{
    auto form = UncheckedForm(x);
    // The pieces were found through the conjugates; only an exact comparison
    // with the number itself lets the form be shown.
    if (form && !(FromSurdForm(*form) == x))
        return std::nullopt;
    return form;
}

Algebraic FromSurdForm(const SurdForm& form)
{
    Algebraic sum;
    for (const SurdTerm& t : form) {
        Algebraic term = SquareRoot(t.m);
        qqbar_mul_fmpq(term.get(), term.get(), t.c.get());
        sum = sum + term;
    }
    return sum;
}

std::string CanonicalText(const SurdForm& form)
{
    if (form.empty())
        return "0";
    Integer d(1);
    for (const SurdTerm& t : form)
        fmpz_lcm(d.get(), d.get(), fmpq_denref(t.c.get()));
    std::string terms;
    for (const SurdTerm& t : form) {
        Integer c;
        fmpz_divexact(c.get(), d.get(), fmpq_denref(t.c.get()));
        fmpz_mul(c.get(), c.get(), fmpq_numref(t.c.get()));
        const bool negative = fmpz_sgn(c.get()) < 0;
        fmpz_abs(c.get(), c.get());
        terms += negative ? "-" : terms.empty() ? "" : "+";
        const bool one = fmpz_is_one(c.get());
        const bool rational = fmpz_is_one(t.m.get());
        if (!one || rational)
            terms += c.text();
        if (!rational)
            terms += "√" + t.m.text();
    }
    if (fmpz_is_one(d.get()))
        return terms;
    if (form.size() == 1)
        return terms + "/" + d.text();
    return "(" + terms + ")/" + d.text();
}

ExactText ExactTextOf(const Algebraic& x)
{
    const auto form = ToSurdForm(x);
    if (!form)
        return std::nullopt;
    std::string text = CanonicalText(*form);
    if (CharacterCount(text) > kMaxExactLength)
        return std::nullopt;
    return text;
}

ExactText ExactTextOf(const Rational& q)
{
    std::string text = CanonicalText(RationalForm(q));
    if (CharacterCount(text) > kMaxExactLength)
        return std::nullopt;
    return text;
}

// ---------------------------------------------------------------- texts

namespace {

class CanonicalParser {
public:
    explicit CanonicalParser(std::string_view text)
        : text_(text)
    {
    }

    std::optional<Algebraic> parse()
    {
        const bool grouped = take("(");
        auto sum = terms();
        if (!sum || (grouped && !take(")")))
            return std::nullopt;
        Integer d(1);
        if (take("/") && (!integer(d) || fmpz_is_zero(d.get())))
            return std::nullopt;
        if (grouped && fmpz_is_one(d.get()))
            return std::nullopt;
        if (pos_ != text_.size())
            return std::nullopt;
        return FromSurdForm(Combine({}, *sum, Ratio(Integer(1), d)));
    }

private:
    bool take(std::string_view token)
    {
        if (text_.substr(pos_, token.size()) != token)
            return false;
        pos_ += token.size();
        return true;
    }

    bool integer(Integer& n)
    {
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9')
            ++pos_;
        if (pos_ == start)
            return false;
        return fmpz_set_str(n.get(), std::string(text_.substr(start, pos_ - start)).c_str(), 10) == 0;
    }

    std::optional<SurdForm> terms()
    {
        SurdForm sum;
        for (bool first = true;; first = false) {
            bool negative = take("-");
            if (!negative && !first && !take("+"))
                return sum;
            Integer c(1), m(1);
            const bool coefficient = integer(c);
            const bool root = take("√");
            if ((!coefficient && !root) || (root && !integer(m)))
                return std::nullopt;
            if (negative)
                fmpz_neg(c.get(), c.get());
            const auto split = fmpz_sgn(m.get()) > 0 ? SplitSquare(m) : std::nullopt;
            if (!split)
                return std::nullopt;
            fmpz_mul(c.get(), c.get(), split->first.get());
            sum = Combine(sum, {{Ratio(c, Integer(1)), split->second}}, Rational(1));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<Algebraic> ParseCanonical(std::string_view text)
{
    return CanonicalParser(text).parse();
}

std::size_t CharacterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

ExactText ExactBoxText(std::string_view boxText)
{
    const auto q = ReadExact(boxText);
    return q ? ExactTextOf(*q) : std::nullopt;
}
