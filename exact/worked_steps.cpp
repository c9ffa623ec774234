// SPDX-License-Identifier: MIT
#include "worked_steps.h"

#include "conversions.h"
#include "surd_form.h"

#include <flint/fmpz_factor.h>
#include <utility>

namespace Formula {

namespace {

MathNode Leaf(MathNode::Kind kind, std::string text)
{
    MathNode node;
    node.kind = kind;
    node.text = std::move(text);
    return node;
}

MathNode Parent(MathNode::Kind kind, std::vector<MathNode> children, std::string text = {})
{
    MathNode node;
    node.kind = kind;
    node.children = std::move(children);
    node.text = std::move(text);
    return node;
}

} // namespace

MathNode Number(std::string digits)
{
    return Leaf(MathNode::Kind::Number, std::move(digits));
}

MathNode Number(long n)
{
    if (n >= 0)
        return Number(std::to_string(n));
    return Row({Op("-"), Number(std::to_string(-static_cast<unsigned long>(n)))});
}

MathNode Name(std::string name)
{
    return Leaf(MathNode::Kind::Name, std::move(name));
}

MathNode Op(std::string op)
{
    return Leaf(MathNode::Kind::Operator, std::move(op));
}

MathNode Word(std::string words)
{
    return Leaf(MathNode::Kind::Word, std::move(words));
}

MathNode Value(std::string text)
{
    return Leaf(MathNode::Kind::Value, std::move(text));
}

MathNode Row(std::vector<MathNode> items)
{
    std::vector<MathNode> flat;
    for (MathNode& item : items)
        Append(flat, std::move(item));
    return Parent(MathNode::Kind::Row, std::move(flat));
}

void Append(std::vector<MathNode>& row, MathNode node)
{
    if (node.kind == MathNode::Kind::Row) {
        for (MathNode& item : node.children)
            row.push_back(std::move(item));
    } else {
        row.push_back(std::move(node));
    }
}

MathNode Fraction(MathNode numerator, MathNode denominator)
{
    return Parent(MathNode::Kind::Fraction, {std::move(numerator), std::move(denominator)});
}

MathNode Root(MathNode radicand)
{
    return Parent(MathNode::Kind::Root, {std::move(radicand)});
}

MathNode Power(MathNode base, MathNode exponent)
{
    return Parent(MathNode::Kind::Power, {std::move(base), std::move(exponent)});
}

MathNode Power(MathNode base, long exponent)
{
    return Power(std::move(base), Number(exponent));
}

MathNode Group(MathNode inside, const char* brackets)
{
    return Parent(MathNode::Kind::Group, {std::move(inside)}, brackets);
}

MathNode Sigma(MathNode lower, MathNode upper, MathNode summand)
{
    return Parent(MathNode::Kind::Sigma, {std::move(lower), std::move(upper), std::move(summand)});
}

MathNode Of(const Integer& n)
{
    std::string digits = n.text();
    if (!digits.empty() && digits.front() == '-')
        return Row({Op("-"), Number(digits.substr(1))});
    return Number(std::move(digits));
}

MathNode Of(const Rational& q)
{
    Integer numerator, denominator;
    fmpz_abs(numerator.get(), fmpq_numref(q.get()));
    fmpz_set(denominator.get(), fmpq_denref(q.get()));
    MathNode magnitude
        = q.isInteger() ? Number(numerator.text()) : Fraction(Number(numerator.text()), Number(denominator.text()));
    if (q.sign() < 0)
        return Row({Op("-"), std::move(magnitude)});
    return magnitude;
}

MathNode Substituted(const Rational& q)
{
    if (q.sign() < 0 || !q.isInteger())
        return Group(Of(q));
    return Of(q);
}

MathNode ValueOf(const Algebraic& x)
{
    const ExactText text = ExactTextOf(x);
    if (text)
        return Value(*text);
    const auto near = Nearest(x);
    if (!near)
        return Value(kApproxMark);
    std::string decimal = FormatFixed(near->re, "0.000");
    return Value(kApproxMark + decimal);
}

namespace {

bool IsReal(const GaussianRational& z)
{
    return z.im.isZero();
}

// |k|·i: "i", "3i", "3i/2".
MathNode ImaginaryMagnitude(const Rational& k)
{
    return Surd(Abs(k), Integer(1), true);
}

// The power of the variable after a term's coefficient: none, "x", "x²".
void AppendPower(std::vector<MathNode>& row, const std::string& variable, std::size_t power)
{
    if (power == 1)
        row.push_back(Name(variable));
    else if (power > 1)
        row.push_back(Power(Name(variable), static_cast<long>(power)));
}

} // namespace

MathNode Surd(const Rational& c, const Integer& m, bool imaginary)
{
    Integer numerator, denominator;
    fmpz_abs(numerator.get(), fmpq_numref(c.get()));
    fmpz_set(denominator.get(), fmpq_denref(c.get()));
    std::vector<MathNode> top;
    const bool root = !fmpz_is_one(m.get());
    if (!fmpz_is_one(numerator.get()) || (!root && !imaginary))
        top.push_back(Number(numerator.text()));
    if (root)
        top.push_back(Root(Number(m.text())));
    if (imaginary)
        top.push_back(Name("i"));
    MathNode magnitude = Row(std::move(top));
    if (magnitude.children.size() == 1) {
        // Taken out before it replaces the row that holds it.
        MathNode only = std::move(magnitude.children.front());
        magnitude = std::move(only);
    }
    if (!fmpz_is_one(denominator.get()))
        magnitude = Fraction(std::move(magnitude), Number(denominator.text()));
    if (c.sign() < 0)
        return Row({Op("-"), std::move(magnitude)});
    return magnitude;
}

MathNode Of(const GaussianRational& z)
{
    if (IsReal(z))
        return Of(z.re);
    if (z.re.isZero()) {
        if (z.im.sign() < 0)
            return Row({Op("-"), ImaginaryMagnitude(z.im)});
        return ImaginaryMagnitude(z.im);
    }
    return Row({Of(z.re), Op(z.im.sign() < 0 ? "-" : "+"), ImaginaryMagnitude(z.im)});
}

MathNode Substituted(const GaussianRational& z)
{
    if (IsReal(z))
        return Substituted(z.re);
    // "4×1×2i": a positive whole multiple of i needs no brackets.
    if (z.re.isZero() && z.im.sign() > 0 && z.im.isInteger())
        return Of(z);
    return Group(Of(z));
}

MathNode Polynomial(const std::vector<GaussianRational>& highestFirst, const std::string& variable)
{
    std::vector<MathNode> row;
    const std::size_t degree = highestFirst.empty() ? 0 : highestFirst.size() - 1;
    for (std::size_t k = 0; k < highestFirst.size(); ++k) {
        const GaussianRational& c = highestFirst[k];
        const std::size_t power = degree - k;
        if (c.re.isZero() && c.im.isZero())
            continue;
        const bool first = row.empty();
        if (IsReal(c) || c.re.isZero()) {
            // A real or purely imaginary coefficient: its sign joins the terms.
            const Rational& part = IsReal(c) ? c.re : c.im;
            if (part.sign() < 0)
                row.push_back(Op("-"));
            else if (!first)
                row.push_back(Op("+"));
            const Rational magnitude = Abs(part);
            if (!IsReal(c))
                Append(row, ImaginaryMagnitude(magnitude));
            else if (!(magnitude == Rational(1)) || power == 0)
                Append(row, Of(magnitude));
        } else {
            if (!first)
                row.push_back(Op("+"));
            row.push_back(Group(Of(c)));
        }
        AppendPower(row, variable, power);
    }
    if (row.empty())
        return Number("0");
    if (row.size() == 1)
        return std::move(row.front());
    return Row(std::move(row));
}

MathNode RootValue(const std::string& re, const std::string& im)
{
    if (im == "0")
        return Value(re);
    // The sign of the imaginary part joins the parts, also before an
    // approximate one: "- ≈1.091i".
    std::string magnitude = im;
    bool minus = false;
    const std::string approx = kApproxMark;
    if (magnitude.rfind('-', 0) == 0) {
        minus = true;
        magnitude.erase(0, 1);
    } else if (magnitude.rfind(approx + "-", 0) == 0) {
        minus = true;
        magnitude.erase(approx.size(), 1);
    }
    std::vector<MathNode> row;
    if (re != "0")
        row.push_back(Value(re));
    // A part of two terms ("-3+√3") keeps its own signs in brackets:
    // "1-√3 + (-3+√3)i", where "- 3+√3 i" would read as −(3+√3)i.
    int depth = 0;
    bool compound = false;
    for (std::size_t k = 0; k < magnitude.size(); ++k) {
        const char c = magnitude[k];
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        compound = compound || (k > 0 && depth == 0 && (c == '+' || c == '-'));
    }
    if (compound && magnitude.rfind(approx, 0) != 0) {
        if (re != "0")
            row.push_back(Op("+"));
        row.push_back(Group(Value(im)));
        row.push_back(Name("i"));
        return Row(std::move(row));
    }
    if (minus)
        row.push_back(Op("-"));
    else if (re != "0")
        row.push_back(Op("+"));
    if (magnitude != "1")
        row.push_back(Value(magnitude));
    row.push_back(Name("i"));
    return Row(std::move(row));
}

MathNode Chain(const std::vector<MathNode>& members, const char* relation)
{
    std::vector<MathNode> row;
    const MathNode* last = nullptr;
    for (const MathNode& member : members) {
        if (last && Same(*last, member))
            continue;
        if (last)
            row.push_back(Op(relation));
        Append(row, member);
        last = &member;
    }
    return Row(std::move(row));
}

bool Same(const MathNode& a, const MathNode& b)
{
    // A row of one item is that item.
    if (a.kind == MathNode::Kind::Row && a.children.size() == 1)
        return Same(a.children.front(), b);
    if (b.kind == MathNode::Kind::Row && b.children.size() == 1)
        return Same(a, b.children.front());
    if (a.kind != b.kind || a.text != b.text || a.columns != b.columns || a.bar != b.bar
        || a.children.size() != b.children.size())
        return false;
    for (std::size_t k = 0; k < a.children.size(); ++k) {
        if (!Same(a.children[k], b.children[k]))
            return false;
    }
    return true;
}

} // namespace Formula

SurdParts SquareRootParts(const Rational& q)
{
    // √(n/d) = √(n·d)/d.
    Integer nd;
    fmpz_mul(nd.get(), fmpq_numref(q.get()), fmpq_denref(q.get()));
    if (fmpz_sgn(nd.get()) <= 0)
        return {Rational(0), Integer(1)};
    // A cofactor too large to split stays under the root whole.
    const auto [s, m] = SplitSquare(nd).value_or(std::pair{Integer(1), nd});
    Integer d;
    fmpz_set(d.get(), fmpq_denref(q.get()));
    return {Rational(s, d), m};
}

std::string ShownText(const Rational& q, const char* pattern)
{
    const ExactText text = ExactTextOf(q);
    if (text)
        return *text;
    const auto near = Nearest(Algebraic(q));
    return kApproxMark + (near ? FormatFixed(near->re, pattern) : std::string());
}

Step MakeStep(std::string rule, std::string caption, MathNode math, std::string remark)
{
    Step step;
    step.rule = std::move(rule);
    step.caption = std::move(caption);
    step.math = std::move(math);
    step.remark = std::move(remark);
    return step;
}
